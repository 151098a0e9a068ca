// SPDX-License-Identifier: Apache-2.0
// One element value of one of the four element types: the scalar alternatives
// of Constant and ScalarConstant. A plain aggregate, Scalar<int>{5}.
#pragma once

#include <type_traits>

namespace lang::core {

/// One element of bool, int, unsigned long or double, as a Constant holds it.
template <class T>
struct Scalar {
    /// The element type T.
    using element_type = T;

    /// The element.
    T value;
};

/// True for the four Scalar<T>.
///@{
template <class A>
inline constexpr bool is_scalar_v = false;
template <class T>
inline constexpr bool is_scalar_v<Scalar<T>> = true;
///@}

}  // namespace lang::core
