// SPDX-License-Identifier: Apache-2.0
// Reductions of array constants along one dimension: accumulations (sum,
// prod, any, all, minimum, maximum) collapse it to length 1, extrema give the
// position of the smallest or largest element along it. Any dimension may be
// named; those past the stored ones have length 1. Scalars are not reduced.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/types/type_id.hpp>

namespace lang::core {

/// Each output element is the left fold, from the reduction's identity, of
/// the elements along `dim` in increasing position; the element type is kept.
/// A scalar, a tuple or an element type the reduction does not take raises
/// InvalidAccum; a reduction outside 0..5 raises std::logic_error ("bad visit").
/// \relates lang::core::Constant
LANGCORE_API Constant apply(accum::Id reduction, unsigned long dim, Constant const& value);

/// An index array of the 0-based positions along `dim` of the first smallest
/// (largest) element; a NaN is never chosen unless it comes first. A zero
/// length along `dim` stays, giving an empty result. Logical arrays, scalars
/// and tuples raise InvalidExtrema.
/// \relates lang::core::Constant
LANGCORE_API Constant apply(extrema::Id extremum, unsigned long dim, Constant const& value);

/// The value every output element of `reduction` starts from, for elements
/// of type `element` (0 for sum, +infinity for a real minimum). A pair that
/// `apply` rejects raises the same InvalidAccum, naming the empty 0x1 array.
/// \relates lang::core::ScalarConstant
LANGCORE_API ScalarConstant accumulation_ident(accum::Id reduction, type::Id element);

}  // namespace lang::core
