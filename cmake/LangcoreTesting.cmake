# SPDX-License-Identifier: Apache-2.0
# Test programs and the umbrella targets that build them.
#
#   langcore_add_test_program(name LABEL types SOURCES a_test.cpp ...
#                             [LIBRARIES langcore::host])
#
# LIBRARIES defaults to langcore::langcore. Every program joins the target
# langcore_tests; one labelled "concurrency" also joins
# langcore_concurrency_tests, so a ThreadSanitizer build can compile just
# those and run them with `ctest -L concurrency`.

add_custom_target(langcore_tests)
add_custom_target(langcore_concurrency_tests)

function(langcore_add_test_program name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_LIBRARIES)
    set(ARG_LIBRARIES langcore::langcore)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  langcore_target_options(${name})
  # Tests are listed when ctest runs, not after each link, so building never
  # runs a test program.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${ARG_LABEL}")
  add_dependencies(langcore_tests ${name})
  if(ARG_LABEL STREQUAL "concurrency")
    add_dependencies(langcore_concurrency_tests ${name})
  endif()
endfunction()
