# The symbols libvqsys.so defines for others are exactly the 31 exported calls that the
# version script names.
#   cmake -DNM=nm -DLIBRARY=libvqsys.so -DMAP=vqsys.map -P ExportedSymbols.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^ \n]+\n" lines "${listing}")
set(defined)
foreach(line ${lines})
  string(STRIP "${line}" name)
  list(APPEND defined ${name})
endforeach()
list(SORT defined)

file(READ ${MAP} map)
string(REGEX REPLACE ".*global:(.*)local:.*" "\\1" names "${map}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z_0-9]*" expected "${names}")
list(SORT expected)

list(LENGTH expected count)
if(NOT count EQUAL 31)
  message(FATAL_ERROR "the version script names ${count} calls, not 31")
endif()
if(NOT defined STREQUAL expected)
  message(FATAL_ERROR "defined: ${defined}\nexpected: ${expected}")
endif()
message(STATUS "libvqsys.so defines the ${count} exported calls and nothing else")
