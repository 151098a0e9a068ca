// SPDX-License-Identifier: Apache-2.0
// Splitting a column-major linear position into one subscript per position,
// the last subscript spanning every remaining dimension.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>

#include <kbase/positive.hpp>

#include <boost/optional.hpp>

#include <vector>

namespace lang::core {

/// The `subscripts` subscripts of `linear` in `size`; none when `linear` is
/// not below the element count.
/// \relates lang::core::ArraySize
LANGCORE_API boost::optional<std::vector<unsigned long>> to_multi_index(
    ArraySize const& size, unsigned long linear, kbase::Positive<unsigned long> subscripts);

/// As above with one subscript for a column vector m x 1, otherwise one per
/// dimension.
/// \relates lang::core::ArraySize
LANGCORE_API boost::optional<std::vector<unsigned long>> to_multi_index(ArraySize const& size,
                                                                        unsigned long linear);

}  // namespace lang::core
