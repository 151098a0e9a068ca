// SPDX-License-Identifier: Apache-2.0
// Lengthening an array along one dimension with a fill value, or shortening
// it. The typed form is the member Array<T>::pad; this one checks kinds.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/export.hpp>

namespace lang::core {

/// The array `value` with dimension `dim` made `length` long: new positions
/// hold `fill`, which must have the array's element type (TypeMismatchForPad);
/// a scalar or tuple raises InvalidArray.
/// \relates lang::core::Constant
LANGCORE_API Constant pad(Constant const& value, unsigned long dim, unsigned long length, ScalarConstant const& fill);

}  // namespace lang::core
