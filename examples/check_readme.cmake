# SPDX-License-Identifier: Apache-2.0
# Checks that the README's first program is examples/readme_example.cpp and
# that what the README says it prints is what it prints:
#   the first ```cpp block after "## A first program" must equal SOURCE
#   without its licence line, and the ```text block after it must equal the
#   output of PROGRAM.
#
#   cmake -DREADME=README.md -DSOURCE=readme_example.cpp -DPROGRAM=path -P check_readme.cmake

# fenced_block(VAR TEXT FENCE): VAR is the body of the first block opened by
# FENCE in TEXT; TEXT_REST receives what follows it.
function(fenced_block var text fence)
  string(FIND "${text}" "\n${fence}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "README.md: no ${fence} block in the section \"A first program\"")
  endif()
  string(LENGTH "\n${fence}\n" skip)
  math(EXPR start "${start} + ${skip}")
  string(SUBSTRING "${text}" ${start} -1 text)
  string(FIND "${text}" "```\n" end)
  string(SUBSTRING "${text}" 0 ${end} body)
  math(EXPR end "${end} + 4")
  string(SUBSTRING "${text}" ${end} -1 rest)
  set(${var} "${body}" PARENT_SCOPE)
  set(TEXT_REST "${rest}" PARENT_SCOPE)
endfunction()

file(READ "${README}" readme)
string(FIND "${readme}" "\n## A first program\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md has no section \"A first program\"")
endif()
string(SUBSTRING "${readme}" ${at} -1 readme)
fenced_block(shown_code "${readme}" "```cpp")
fenced_block(shown_output "${TEXT_REST}" "```text")

file(READ "${SOURCE}" source)
string(FIND "${source}" "\n" first_line_end)
math(EXPR first_line_end "${first_line_end} + 1")
string(SUBSTRING "${source}" ${first_line_end} -1 source)

execute_process(COMMAND "${PROGRAM}" OUTPUT_VARIABLE output RESULT_VARIABLE status)

set(failed FALSE)
if(NOT shown_code STREQUAL source)
  message("--- the README shows:\n${shown_code}--- ${SOURCE} holds:\n${source}---")
  set(failed TRUE)
endif()
if(NOT shown_output STREQUAL output)
  message("--- the README says it prints:\n${shown_output}--- it prints:\n${output}---")
  set(failed TRUE)
endif()
if(NOT status EQUAL 0)
  message("the program exited with ${status}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "the README's first program and its output do not match the example")
endif()
