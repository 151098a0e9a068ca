// The matrix product of integer, index and real arrays. Every element of the
// result starts from +0 and adds left(i, p) * right(p, j) for ascending p, a
// multiply and an add each (wrapping for integer and index), so every path
// gives the bits of the textbook loop however the work is blocked.
#pragma once

#include <lang/core/constants/array.hpp>

namespace lang::core::kernels {

/// a * b; raises what `ArraySize::requireMultiply` raises.
template <class T>
Array<T> matrix_product(Array<T> const& a, Array<T> const& b);

extern template Array<int> matrix_product(Array<int> const&, Array<int> const&);
extern template Array<unsigned long> matrix_product(Array<unsigned long> const&, Array<unsigned long> const&);
extern template Array<double> matrix_product(Array<double> const&, Array<double> const&);

}  // namespace lang::core::kernels
