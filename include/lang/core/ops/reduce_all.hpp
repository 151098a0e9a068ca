// SPDX-License-Identifier: Apache-2.0
// Reductions over every element of an array at once. The array is viewed as
// one column, without a copy, and reduced along dimension 0 by apply(), so
// the order of the steps, their exactness and the kernels are apply()'s.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/extrema_id.hpp>

namespace lang::core {

/// `reduction` over every element of an array in storage order, from the
/// reduction's identity: a scalar of the array's element type. An empty array
/// gives the identity. A scalar or a tuple, or an element type the reduction
/// is not defined for, raises InvalidAccum naming the value's own type, as
/// apply(reduction, dim, value) does.
///
/// \code
/// Constant m = matrix({{1.0, 2.0}, {3.0, 4.0}});
/// reduce_all(accum::SUM, m);  // 10.0, summed in the order 1, 3, 2, 4
/// \endcode
LANGCORE_API Constant reduce_all(accum::Id reduction, Constant const& value);

/// The storage position of the extremum of an array, as an index scalar:
/// what apply(extremum, 0, value) gives for the array reshaped to one column
/// (the first of equal elements; a NaN is chosen only at position 0). A
/// scalar, a tuple or a logical array raises InvalidExtrema naming the
/// value's own type; an empty array has no position and raises InvalidIndex
/// of the types catalog for position 0, as reading the empty result would.
///
/// \code
/// reduce_all(extrema::INDEX_MAXIMUM, matrix({{1, 5}, {5, 2}}));  // 1i: storage order is 1, 5, 5, 2
/// \endcode
LANGCORE_API Constant reduce_all(extrema::Id extremum, Constant const& value);

}  // namespace lang::core
