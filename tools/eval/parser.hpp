// SPDX-License-Identifier: Apache-2.0
// Reads one statement: `name = expression` or an expression. Literals are the
// library's printed forms, operators are read with the library's own table,
// and every other construct is a function call, a subscript, `if c then a
// else b`, or a compact form such as colon<0, 2, 5>.
#pragma once

#include "syntax.hpp"

#include <string_view>

namespace lang::eval {

/// Raises SyntaxError, with the position where reading failed.
Statement parse_statement(std::string_view text, Position start = {});

/// True when `text` holds no statement: only blanks and comments.
bool is_blank(std::string_view text);

/// Open brackets minus closed ones outside comments: a statement whose count
/// is still positive at the end of a line goes on on the next line.
long open_brackets(std::string_view text);

}  // namespace lang::eval
