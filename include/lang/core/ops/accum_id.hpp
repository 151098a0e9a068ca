// SPDX-License-Identifier: Apache-2.0
// The accumulating reductions (sum, prod, ...), each tied to the two-operand
// operator it folds with. Values outside 0..5 are not checked.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/ops/op_id.hpp>

#include <cstdint>
#include <iosfwd>

/// The accumulating reductions and the operators they fold with.
namespace lang::core::accum {

/// An accumulating reduction.
enum Id : std::int32_t {
    INVALID = -1,
    SUM = 0,
    PROD,
    ANY,
    ALL,
    MINIMUM,
    MAXIMUM,
};

/// The number of reductions: the valid ids are 0 to COUNT - 1.
inline constexpr std::int32_t COUNT = MAXIMUM + 1;

/// The operator the reduction folds with (SUM: op::PLUS).
LANGCORE_API op::Id base(Id reduction);
/// The reduction folding with `op`, or INVALID if there is none.
LANGCORE_API Id from_base(op::Id op);

/// Writes the printed name ("sum"); INVALID writes "invalid".
LANGCORE_API std::ostream& operator<<(std::ostream& os, Id const& reduction);
/// Reads one whitespace-delimited name; an unknown word (or none) gives INVALID.
LANGCORE_API std::istream& operator>>(std::istream& is, Id& reduction);

}  // namespace lang::core::accum
