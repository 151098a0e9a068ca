# SPDX-License-Identifier: Apache-2.0
# Runs langcore-eval on one script and compares what it prints with the
# expected files beside it:
#   NAME.lc    the script; a first line "# options: ..." gives command-line options
#   NAME.out   the expected standard output
#   NAME.err   the expected standard error (absent: none); exit status 1 when present, else 0
#
#   cmake -DEVAL=path/to/langcore-eval -DSCRIPT=NAME.lc -P run_golden.cmake
cmake_path(GET SCRIPT PARENT_PATH dir)
cmake_path(GET SCRIPT STEM name)
file(STRINGS ${SCRIPT} first LIMIT_COUNT 1)
set(options "")
if(first MATCHES "^# options: (.*)$")
  separate_arguments(options UNIX_COMMAND "${CMAKE_MATCH_1}")
endif()

execute_process(COMMAND ${EVAL} ${options} ${name}.lc WORKING_DIRECTORY ${dir}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)

set(expected_err "")
set(expected_status 0)
if(EXISTS ${dir}/${name}.err)
  file(READ ${dir}/${name}.err expected_err)
  set(expected_status 1)
endif()
file(READ ${dir}/${name}.out expected_out)

set(failed FALSE)
foreach(stream out err)
  if(NOT "${${stream}}" STREQUAL "${expected_${stream}}")
    message("--- expected std${stream} of ${name}.lc:\n${expected_${stream}}--- got:\n${${stream}}---")
    set(failed TRUE)
  endif()
endforeach()
if(NOT status EQUAL expected_status)
  message("exit status ${status}, expected ${expected_status}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${name}.lc does not print what it should")
endif()
