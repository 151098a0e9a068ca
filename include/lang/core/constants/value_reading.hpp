// SPDX-License-Identifier: Apache-2.0
// The C++ values inside a constant: the value of a scalar, the elements of an
// array. Neither converts; asking for another kind or element type raises the
// message that assigning the constant to one of that type would raise.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/type_id.hpp>

#include <span>
#include <variant>

namespace lang::core {

namespace detail {

/// Raises for scalar_value(): InvalidScalarConstant for a value that is not a
/// scalar, otherwise InvalidAssign with the scalar type of `element` and the
/// value's type.
[[noreturn]] LANGCORE_API void raise_not_scalar_of(type::Id element, Constant const& value);
/// Raises for elements(): InvalidArray for a value that is not an array,
/// otherwise InvalidAssign with the array type of `element` and the value's
/// shape, and the value's type.
[[noreturn]] LANGCORE_API void raise_not_array_of(type::Id element, Constant const& value);

}  // namespace detail

/// The value of a scalar of element type T (bool, int, unsigned long or
/// double). Any other constant raises InvalidScalarConstant (not a scalar) or
/// InvalidAssign (a scalar of another element type); nothing is converted.
///
/// \code
/// double x = scalar_value<double>(Constant(2.5));  // 2.5
/// \endcode
template <class T>
T scalar_value(Constant const& value) {
    if (auto const* s = std::get_if<Scalar<T>>(&value.value())) return s->value;
    detail::raise_not_scalar_of(type::id_of<T>, value);
}

/// The elements of an array of element type T in storage (column-major)
/// order; the span views the constant's block and lives no longer than it.
/// Any other constant raises InvalidArray (not an array) or InvalidAssign (an
/// array of another element type).
///
/// \code
/// Constant m = matrix({{1, 2}, {3, 4}});
/// std::span<int const> e = elements<int>(m);  // 1, 3, 2, 4
/// \endcode
template <class T>
std::span<T const> elements(Constant const& value) {
    if (auto const* a = std::get_if<Array<T>>(&value.value())) return {a->x(), a->size().numElements()};
    detail::raise_not_array_of(type::id_of<T>, value);
}

}  // namespace lang::core
