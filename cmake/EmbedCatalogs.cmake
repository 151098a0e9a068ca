# SPDX-License-Identifier: Apache-2.0
# Writes OUTPUT, a C++ source holding the text of every catalog file in
# INPUTS as one raw string literal each.
set(_body "// Generated from the .tvmsg catalog files; do not edit.\n")
string(APPEND _body "namespace kbase::detail {\nextern char const* const embedded_catalogs[];\n")
string(APPEND _body "char const* const embedded_catalogs[] = {\n")
foreach(_input IN LISTS INPUTS)
  file(READ "${_input}" _text)
  string(APPEND _body "R\"tvmsg(${_text})tvmsg\",\n")
endforeach()
string(APPEND _body "nullptr};\n}  // namespace kbase::detail\n")
file(WRITE "${OUTPUT}.tmp" "${_body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
