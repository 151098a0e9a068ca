// SPDX-License-Identifier: Apache-2.0
// Reads one statement: `name = expression` or an expression. Literals are the
// library's printed forms, operators are read with the library's own table,
// and every other construct is a function call, a subscript, `if c then a
// else b`, or a compact form such as colon<0, 2, 5>.
#pragma once

#include "syntax.hpp"

#include <cstddef>
#include <string_view>
#include <vector>

namespace lang::eval {

/// Raises SyntaxError, with the position where reading failed.
Statement parse_statement(std::string_view text, Position start = {});

/// True when `text` holds no statement: only blanks and comments.
bool is_blank(std::string_view text);

/// Open brackets minus closed ones outside comments: a statement whose count
/// is still positive at the end of a line goes on on the next line.
long open_brackets(std::string_view text);

/// One statement of a line that `;` splits outside brackets and comments:
/// its text, where that starts in the line, and whether a `;` ends it.
struct StatementText {
    std::string_view text;
    std::size_t offset = 0;
    bool quiet = false;
};

/// The statements of `text`, in order; the last one takes what follows the
/// last top-level `;`, and may be blank.
std::vector<StatementText> split_statements(std::string_view text);

}  // namespace lang::eval
