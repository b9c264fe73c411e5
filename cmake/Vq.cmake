# Helpers that keep every folder's build file to a line or two.
#
# vq_library(NAME DIR <dir> [SHARED] [DEPS ...] [PCH ...])
#   A static library of every .cpp in <dir> (not recursive). Headers are found
#   from the top of the layer, so code includes "win/CString.h", "shell/..." etc.
#   SHARED makes a shared library whose symbols are all visible, for a layer that a
#   program and the module it loads must share (one window system per process).
# vq_test(NAME DIR <dir> DEPS ...)
#   One GoogleTest program of every .cpp in <dir>, registered with ctest.
# vq_bench(NAME SOURCES ... DEPS ... [RESOURCES])
#   One Google Benchmark program; its sources include the shared ones as "support/...".
#   RESOURCES tells the program where the resource libraries are (VQ_RESOURCE_ROOT).

function(vq_library name)
  cmake_parse_arguments(A "SHARED" "DIR;INCLUDE_ROOT" "DEPS;PCH" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${A_DIR}/*.cpp")
  if(A_SHARED)
    add_library(${name} SHARED ${sources})
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET default VISIBILITY_INLINES_HIDDEN OFF)
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${A_INCLUDE_ROOT})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  if(A_PCH)
    target_precompile_headers(${name} PRIVATE ${A_PCH})
  endif()
endfunction()

function(vq_test name)
  cmake_parse_arguments(A "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${A_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} vq_testsupport GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VQ_RESOURCES=${PROJECT_SOURCE_DIR}/resources;VQ_SOURCE=${PROJECT_SOURCE_DIR};VQ_COM_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}-com-registry.ini")
endfunction()

function(vq_bench name)
  cmake_parse_arguments(A "RESOURCES" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  if(A_RESOURCES)
    target_compile_definitions(${name} PRIVATE VQ_RESOURCE_ROOT="${PROJECT_SOURCE_DIR}/resources")
  endif()
endfunction()
