// SPDX-License-Identifier: Apache-2.0
// Shared by the benchmarks: the library's array holding the same values as
// the std::vector its baseline works on.
#pragma once

#include <lang/core/constants/array.hpp>

#include <algorithm>
#include <vector>

namespace bench {

/// `values` (column-major, numElements of `size` of them) as an Array.
inline lang::core::Array<double> to_array(lang::core::ArraySize const& size, std::vector<double> const& values) {
    lang::core::Array<double> a(size);
    std::copy(values.begin(), values.end(), a.x());
    return a;
}

}  // namespace bench
