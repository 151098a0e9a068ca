// SPDX-License-Identifier: Apache-2.0
// Element-type conversion of constants, with a flag telling whether any
// element's value changed on the way, and the small queries used beside it.
// Converting to the element type a value already has returns that value,
// sharing its array storage.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/type_id.hpp>

#include <utility>

namespace lang::core {

/// `value` with elements of type `target`, scalar to scalar and array to array
/// of the same shape, and true when some element's value was not kept (a cut
/// fraction, an out-of-range value, a NaN, a logical made from neither 0 nor
/// 1). A tuple raises InvalidConversion; a target outside 0..3 raises
/// std::logic_error ("bad visit").
/// \relates lang::core::Constant
LANGCORE_API std::pair<Constant, bool> convert_with_check(type::Id const& target, Constant const& value);

/// convert_with_check without the flag.
/// \relates lang::core::Constant
LANGCORE_API Constant convert(type::Id const& target, Constant const& value);

/// A scalar as a 1x1 array of its element type; an array or a tuple raises
/// InvalidToArray.
/// \relates lang::core::Constant
LANGCORE_API Constant to_array(Constant const& value);

/// The type of an array constant; a scalar or a tuple raises InvalidArray.
/// \relates lang::core::Constant
LANGCORE_API ArrayType array_type(Constant const& value);

}  // namespace lang::core
