// SPDX-License-Identifier: Apache-2.0
// The validation and result size shared by both concatenation classes.
#pragma once

#include <lang/core/types/array_size.hpp>

#include <vector>

namespace lang::core::detail {

/// The size of `sizes` joined along `dim`; raises EmptyConcatenation or
/// InvalidConcatenation of the index catalog.
ArraySize concatenated_size(unsigned long dim, std::vector<ArraySize> const& sizes);

}  // namespace lang::core::detail
