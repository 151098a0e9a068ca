// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/value_reading.hpp>

#include "detail/raise.hpp"

#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/scalar_type.hpp>
#include <lang/core/types/type.hpp>

namespace lang::core::detail {

void raise_not_scalar_of(type::Id element, Constant const& value) {
    if (!holds_scalar(value)) raise<msg::constants::InvalidScalarConstant>(value_type(value));
    raise<msg::constants::InvalidAssign>(ScalarType(element), value_type(value));
}

void raise_not_array_of(type::Id element, Constant const& value) {
    ArrayType const type = array_type(value);  // raises InvalidArray unless an array
    raise<msg::constants::InvalidAssign>(ArrayType(element, type.size()), value_type(value));
}

}  // namespace lang::core::detail
