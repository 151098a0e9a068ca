// SPDX-License-Identifier: Apache-2.0
// Joining constants along a dimension, as the language's concatenation does:
// a Concatenator plans the result from the operands' sizes, and each operand
// is copied into its block.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>

#include <span>

namespace lang::core {

/// The arrays of `operands` joined along dimension `dim` (0-based); a scalar
/// counts as the 1x1 array it stands for. The result has the first operand's
/// element type. No operands raise EmptyConcatenation and lengths that differ
/// off `dim` InvalidConcatenation (index catalog); a tuple raises
/// InvalidArray, and an operand of another element type InvalidAssign, as
/// indexable::Assign does.
///
/// \code
/// Constant const parts[] = {matrix({{1, 2}}), 3};
/// Constant row = concatenate(1, parts);  // [1, 2, 3]
/// \endcode
LANGCORE_API Constant concatenate(unsigned long dim, std::span<Constant const> operands);

}  // namespace lang::core
