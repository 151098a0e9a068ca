// SPDX-License-Identifier: Apache-2.0
// The index-of-extremum reductions, each tied to the comparison that selects
// the extremum. Values outside 0..1 are not checked.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/ops/op_id.hpp>

#include <cstdint>
#include <iosfwd>

/// The index-of-extremum reductions and the comparisons they select with.
namespace lang::core::extrema {

/// An index-of-extremum reduction.
enum Id : std::int32_t {
    INVALID = -1,
    INDEX_MINIMUM = 0,
    INDEX_MAXIMUM,
};

/// The number of extremum reductions: the valid ids are 0 to COUNT - 1.
inline constexpr std::int32_t COUNT = INDEX_MAXIMUM + 1;

/// The comparison that selects the extremum (INDEX_MINIMUM: op::LT).
LANGCORE_API op::Id base(Id extremum);
/// The extremum selected by `op`, or INVALID if there is none.
LANGCORE_API Id from_base(op::Id op);

/// Writes the printed name ("index_minimum"); INVALID writes "invalid".
LANGCORE_API std::ostream& operator<<(std::ostream& os, Id const& extremum);
/// Reads one whitespace-delimited name; an unknown word (or none) gives INVALID.
LANGCORE_API std::istream& operator>>(std::istream& is, Id& extremum);

}  // namespace lang::core::extrema
