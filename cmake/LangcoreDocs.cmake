# SPDX-License-Identifier: Apache-2.0
# The target `docs`: the HTML API reference in ${PROJECT_BINARY_DIR}/docs/html,
# made by doxygen from the public headers. It exists only when doxygen is
# found, is not part of `all`, and fails on any doxygen warning.
#
# The same file runs in script mode (cmake -P) as the target's first step, so
# that the main page follows the README and a header generated into the build
# tree is documented whenever it exists, without reconfiguring.

if(CMAKE_SCRIPT_MODE_FILE)
  # The README's part for users, up to its "## Developing langcore" heading:
  # what langcore is, installing it, a first program and the evaluator.
  file(READ "${PROJECT_SOURCE_DIR}/README.md" readme)
  string(FIND "${readme}" "\n## Developing langcore\n" end)
  if(end EQUAL -1)
    message(FATAL_ERROR "README.md has no '## Developing langcore' heading to end the main page at")
  endif()
  string(SUBSTRING "${readme}" 0 ${end} mainpage)
  file(WRITE "${LANGCORE_DOCS_DIR}/mainpage.md.new" "${mainpage}\n")
  file(COPY_FILE "${LANGCORE_DOCS_DIR}/mainpage.md.new" "${LANGCORE_DOCS_DIR}/mainpage.md" ONLY_IF_DIFFERENT)
  file(REMOVE "${LANGCORE_DOCS_DIR}/mainpage.md.new")

  set(LANGCORE_DOCS_INPUT "\"${LANGCORE_DOCS_DIR}/mainpage.md\"")
  foreach(page tour.md lower_level.md examples.dox namespaces.dox)
    string(APPEND LANGCORE_DOCS_INPUT " \"${PROJECT_SOURCE_DIR}/docs/${page}\"")
  endforeach()
  string(APPEND LANGCORE_DOCS_INPUT " \"${PROJECT_SOURCE_DIR}/include/lang/core\"")
  file(GLOB_RECURSE generated "${PROJECT_BINARY_DIR}/include/lang/core/*.hpp")
  foreach(header IN LISTS generated)
    string(APPEND LANGCORE_DOCS_INPUT " \"${header}\"")
  endforeach()
  configure_file("${PROJECT_SOURCE_DIR}/docs/Doxyfile.in" "${LANGCORE_DOCS_DIR}/Doxyfile" @ONLY)
  return()
endif()

find_package(Doxygen 1.9 QUIET)
if(NOT DOXYGEN_FOUND)
  return()
endif()

set(_langcore_docs_dir "${PROJECT_BINARY_DIR}/docs")
add_custom_target(docs
  COMMAND "${CMAKE_COMMAND}"
    "-DPROJECT_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    "-DPROJECT_BINARY_DIR=${PROJECT_BINARY_DIR}"
    "-DPROJECT_VERSION=${PROJECT_VERSION}"
    "-DPROJECT_DESCRIPTION=${PROJECT_DESCRIPTION}"
    "-DLANGCORE_DOCS_DIR=${_langcore_docs_dir}"
    -P "${CMAKE_CURRENT_LIST_FILE}"
  COMMAND Doxygen::doxygen "${_langcore_docs_dir}/Doxyfile"
  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
  COMMENT "Building the API reference in ${_langcore_docs_dir}/html"
  VERBATIM)
