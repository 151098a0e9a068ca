// SPDX-License-Identifier: Apache-2.0
// The language's 42 operators with their fixed values, printed names and the
// properties needed to print and check expressions. Values outside 0..41 (and
// -1 where a name is asked for) are not checked: the tables are indexed as is.
#pragma once

#include <lang/core/export.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>

namespace lang::core {
/// The operators: their ids and the tables that print and check them.
namespace op {

/// An operator; the values are fixed and index the tables below.
enum Id : std::int32_t {
    INVALID = -1,
    UPLUS = 0,
    UMINUS,
    NOT,
    PLUS,
    MINUS,
    TIMES,
    DIVIDE,
    MOD,
    POWER,
    LT,
    LE,
    GT,
    GE,
    EQ,
    NE,
    AND,
    OR,
    INV,
    SQRT,
    EXP,
    LOG,
    LOG10,
    SIN,
    COS,
    TAN,
    ASIN,
    ACOS,
    ATAN,
    SINH,
    COSH,
    TANH,
    FLOOR,
    CEIL,
    ROUND,
    FIX,
    ATAN2,
    SIGN,
    ABS,
    MAX,
    MIN,
    TRANSPOSE,
    MTIMES,
};

/// The number of operators: the valid ids are 0 to COUNT - 1.
inline constexpr std::int32_t COUNT = MTIMES + 1;

/// Binding codes: how an operator groups with one of equal precedence.
///@{
inline constexpr std::int32_t NO_BINDING = 0;
inline constexpr std::int32_t LEFT_BINDING = 1;
inline constexpr std::int32_t RIGHT_BINDING = 2;
///@}

/// Number of operands.
LANGCORE_API unsigned long arity(Id op);
/// Smaller numbers bind more tightly.
LANGCORE_API unsigned long precidence(Id op);
/// NO_BINDING, LEFT_BINDING or RIGHT_BINDING.
LANGCORE_API std::int32_t binding(Id op);
/// Infix template ("%0 + %1"); empty for operators printed in function form.
/// The reference stays valid for the life of the program.
LANGCORE_API std::string const& format(Id op);

/// Writes the printed name ("plus"); INVALID writes "invalid".
LANGCORE_API std::ostream& operator<<(std::ostream& os, Id const& op);
/// Reads one whitespace-delimited name; an unknown word (or none) gives INVALID.
LANGCORE_API std::istream& operator>>(std::istream& is, Id& op);

}  // namespace op

/// True for the prefix operators that print like signs (UPLUS, UMINUS).
LANGCORE_API bool ambiguous_op(op::Id op);

}  // namespace lang::core
