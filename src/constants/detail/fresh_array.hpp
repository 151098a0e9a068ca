// SPDX-License-Identifier: Apache-2.0
// A result constant holding a new array, made where it is returned.
#pragma once

#include <lang/core/constants/constant.hpp>

#include <utility>
#include <variant>

namespace lang::core::detail {

/// A constant holding a new array of `shape` whose every element `fill(T*)`
/// writes. Built in place: making an Array and moving it into a constant
/// would reload its pointer pair right after storing it, and a small fold
/// pays for that more than for its arithmetic.
template <class T, class Fill>
[[gnu::always_inline]] inline Constant fresh_array(ArraySize const& shape, Fill&& fill) {
    Constant result(std::in_place_type<Array<T>>, shape, uninitialized_elements);
    // The block is new and held by this array alone, so it is written without
    // the check a non-const x() makes.
    Array<T> const& array = *std::get_if<Array<T>>(&result.value());
    std::forward<Fill>(fill)(const_cast<T*>(array.x()));
    return result;
}

}  // namespace lang::core::detail
