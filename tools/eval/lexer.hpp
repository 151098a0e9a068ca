// SPDX-License-Identifier: Apache-2.0
// Splits the text of one statement into tokens. Newlines are plain spaces
// here (a statement that spans lines was already joined), and `#` starts a
// comment that runs to the end of its line.
#pragma once

#include "syntax.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace lang::eval {

struct Token {
    enum class Kind { Number, Name, Symbol, End };
    Kind kind = Kind::End;
    std::string text;
    Position at;
};

/// The tokens of `text`, which starts at `start`, ending with one End token.
/// Raises SyntaxError for a character no token starts with.
std::vector<Token> tokenize(std::string_view text, Position start);

}  // namespace lang::eval
