// SPDX-License-Identifier: Apache-2.0
// The matrix product of integer, index and real arrays. Every element of the
// result starts from +0 and adds left(i, p) * right(p, j) for ascending p, a
// multiply and an add each (wrapping for integer and index), so every path
// gives the bits of the textbook loop however the work is blocked.
#pragma once

#include <lang/core/constants/constant.hpp>

namespace lang::core::kernels {

/// a * b as a constant; raises what `ArraySize::requireMultiply` raises.
template <class T>
Constant matrix_product(Array<T> const& a, Array<T> const& b);

extern template Constant matrix_product(Array<int> const&, Array<int> const&);
extern template Constant matrix_product(Array<unsigned long> const&, Array<unsigned long> const&);
extern template Constant matrix_product(Array<double> const&, Array<double> const&);

}  // namespace lang::core::kernels
