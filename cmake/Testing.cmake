# Test helpers for both trees.
#   velloran_native_test(NAME src...)   native GoogleTest executable, one ctest entry
#   velloran_wine_test(NAME src... LIBS lib... [XINPUT])  Windows GoogleTest executable run under
#                                        Wine; XINPUT runs it beside an xdotool relay
#                                        (scripts/xinput-relay.sh) for real X input
#   velloran_fuzzer(NAME src...)         libFuzzer target (native tree with VELLORAN_FUZZ)

if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(VELLORAN_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VELLORAN_WINE_ARCH win64)
  else()
    set(VELLORAN_WINE_ARCH win32)
  endif()
  add_test(NAME wine_start
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh start ${VELLORAN_WINE_DIR} ${VELLORAN_WINE_ARCH})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh stop ${VELLORAN_WINE_DIR})
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
else()
  find_package(GTest REQUIRED)
endif()

function(velloran_native_test name)
  # The fuzz tree builds only the fuzzers: its compile flags carry sanitizers the tests do not link.
  if(WIN32 OR VELLORAN_FUZZ)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE velloran_core ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

function(velloran_wine_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(T "XINPUT" "" "LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} velloran_core gtest gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  set(relay)
  if(T_XINPUT)
    set(relay ${CMAKE_SOURCE_DIR}/scripts/xinput-relay.sh)
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh exec ${VELLORAN_WINE_DIR} ${relay} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
endfunction()

function(velloran_fuzzer name)
  if(WIN32 OR NOT VELLORAN_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE velloran_core)
endfunction()

# The LZH codec decodes any bit string, so tracing the operands of its comparisons gives the
# fuzzer nothing to steer by, and it took over half of every run. Edge coverage and the
# sanitizers stay. The sources are those of targets made in directory.
function(velloran_fuzz_without_compare_tracing directory)
  if(VELLORAN_FUZZ)
    set_source_files_properties(${ARGN} DIRECTORY ${directory}
      PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
  endif()
endfunction()
