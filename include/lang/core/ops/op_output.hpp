// SPDX-License-Identifier: Apache-2.0
// Printing of one operator expression with the fewest parentheses that keep
// its meaning. Operands are printed by callbacks, so a caller can print any
// tree of expressions: an operand that is itself an operator expression calls
// op_output again with the precedence and position it was handed.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/ops/op_id.hpp>

#include <boost/function.hpp>

#include <iosfwd>
#include <vector>

namespace lang::core::detail {

/// Called as printer(os, precedence, position) to print one operand.
using OperandPrinter = boost::function<void(std::ostream&, unsigned long, unsigned long)>;

/// Prints `op` applied to `operands`, infix where the operator has a format and
/// the operand count matches its arity, in function form ("mod(a, b)")
/// otherwise; `unambiguous` forces function form for UPLUS and UMINUS.
/// `outerPrecedence` and `position` describe the enclosing operator and the
/// operand slot this expression fills; the largest unsigned long never
/// parenthesises.
LANGCORE_API void op_output(std::ostream& os, op::Id op, bool unambiguous,
                            std::vector<OperandPrinter> const& operands,
                            unsigned long outerPrecedence, unsigned long position);

}  // namespace lang::core::detail
