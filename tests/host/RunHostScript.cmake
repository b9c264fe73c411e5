# Runs the stand-in host on one script and compares what it prints with the expected file
# next to the script (NAME.vqs -> NAME.out). The script runs on a sample repository of its
# own, or on one `vqsrepo create` builds from NAME.json when that is beside the script (or
# from the description a line "# description: FILE.json" names, beside the script), or on
# the sample at the scale a line "# sample-scale: SYSTEMS,SEGMENTS,ELEMENTS" names. A
# line "# exit status: N" in the script names the status it must end with (0 when it has
# none). When NAME.repo is there too, `vqsrepo dump` of the repository afterwards must print
# its lines (without indentation, in that order, others between them), and none of its lines
# that start with ! between the lines around them (LinesInOrder.awk). The resource folder
# is printed as <resources>, so paths in log lines match wherever the tree is.
#   cmake -DHOST=vqshost -DVQSREPO=vqsrepo -DSCRIPT=NAME.vqs -DWORK=dir -DRESOURCES=dir
#         -P RunHostScript.cmake
get_filename_component(name ${SCRIPT} NAME_WE)
get_filename_component(folder ${SCRIPT} DIRECTORY)
set(expected_file ${folder}/${name}.out)
set(work ${WORK}/${name})
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(READ ${SCRIPT} script)
set(description ${folder}/${name}.json)
if(script MATCHES "# description: ([^\n]+\\.json)")
  set(description ${folder}/${CMAKE_MATCH_1})
  if(NOT EXISTS ${description})
    message(FATAL_ERROR "${name}: the script names the description ${description}, which is not there")
  endif()
endif()
if(EXISTS ${description})
  execute_process(COMMAND ${VQSREPO} create ${work}/sample.vqr --from ${description} RESULT_VARIABLE status)
elseif(script MATCHES "# sample-scale: ([0-9]+,[0-9]+,[0-9]+)")
  execute_process(COMMAND ${VQSREPO} sample ${work}/sample.vqr --sample-scale=${CMAKE_MATCH_1} RESULT_VARIABLE status)
else()
  execute_process(COMMAND ${VQSREPO} sample ${work}/sample.vqr RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name}: the sample repository could not be made")
endif()

set(expected_status 0)
if(script MATCHES "# exit status: ([0-9]+)")
  set(expected_status ${CMAKE_MATCH_1})
endif()

set(ENV{VQ_COM_REGISTRY} ${work}/com-registry.ini)
execute_process(COMMAND ${HOST} --repo ${work}/sample.vqr --resources ${RESOURCES} --ini ${work}/vqsys.ini
                        --script ${SCRIPT}
                WORKING_DIRECTORY ${work}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
string(REPLACE "${RESOURCES}" "<resources>" output "${output}")
file(WRITE ${work}/${name}.out "${output}")
file(READ ${expected_file} expected)
if(NOT "${output}" STREQUAL "${expected}")
  execute_process(COMMAND diff -u ${expected_file} ${work}/${name}.out OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "${name}: the host printed what ${expected_file} does not expect:\n${difference}${errors}")
endif()
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "${name}: the host ended with ${status}, not ${expected_status}\n${errors}")
endif()

set(repository_file ${folder}/${name}.repo)
if(EXISTS ${repository_file})
  execute_process(COMMAND ${VQSREPO} dump ${work}/sample.vqr OUTPUT_FILE ${work}/${name}.dump RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: vqsrepo dump failed")
  endif()
  execute_process(COMMAND awk -f ${CMAKE_CURRENT_LIST_DIR}/LinesInOrder.awk ${repository_file} ${work}/${name}.dump
                  OUTPUT_VARIABLE missing RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: ${missing}(the dump is ${work}/${name}.dump)")
  endif()
endif()
