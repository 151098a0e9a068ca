// SPDX-License-Identifier: Apache-2.0
// The syntax tree that the reader builds for one statement of the evaluator's
// language, and the error it raises for text it cannot read.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/ops/op_id.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::eval {

/// 1-based line and column of a place in the source; a column counts code
/// points, as a person counts characters.
struct Position {
    unsigned long line = 1;
    unsigned long column = 1;
};

/// Whether byte `c` of UTF-8 text starts a column: every byte does but those
/// that continue a multi-byte character.
inline bool starts_column(char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }

/// Text the reader cannot read; `at` is where reading stopped.
class SyntaxError : public std::runtime_error {
public:
    SyntaxError(Position at, std::string const& what) : std::runtime_error(what), at(at) {}
    Position at;
};

struct Node {
    enum class Kind {
        Integer,   ///< unsuffixed digits; range-checked when folded, so that -2147483648 reads
        Value,     ///< any other literal, already a constant
        Name,      ///< `text`: a bound name, or a type name where one is expected
        Operator,  ///< `op` applied to the children
        Matrix,    ///< scalar elements, row by row, `columns` to a row
        Stack,     ///< array literals stacked along one more dimension
        Tuple,
        Call,      ///< `text` called with the children: a function, or a subscripted name
        Subscript, ///< children[0] subscripted by the other children
        Whole,     ///< `:`, a whole dimension in a subscript
        If,        ///< if children[0] then children[1] else children[2]
        Compact,   ///< `text`<children>: empty, colon, eye or uniform_array
    };

    Node() = default;
    Node(Kind kind, Position at) : kind(kind), at(at) {}

    Kind kind = Kind::Value;
    Position at;
    std::string text;
    core::op::Id op = core::op::INVALID;
    std::uint64_t magnitude = 0;
    core::Constant value = false;
    unsigned long columns = 0;
    std::vector<Node> children;
};

/// `target = expression`, or a bare expression when `target` is empty.
struct Statement {
    std::string target;
    Node expression;
};

}  // namespace lang::eval
