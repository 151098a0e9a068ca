// SPDX-License-Identifier: Apache-2.0
/// \file
/// Array constants from values as a person writes them: rows of a matrix, a
/// column, or elements already in column-major order. Every builder copies
/// its input once into a new block and checks that the counts agree before
/// anything is allocated.
///
/// Traps of the C++ operators on constants, which a caller meets next:
/// - `a == b` and `a < b` compare whole values and give one bool; the
///   element-wise comparisons are apply(op::EQ, a, b), apply(op::LT, a, b)
///   and their kin.
/// - `a * b` is element-wise (op::TIMES); the matrix product, which the
///   language writes `*`, is apply(op::MTIMES, a, b).
/// - C++ precedence holds for the overloaded operators: `a + b ^ c` is
///   `(a + b) ^ c`, and `^`, `&` and `|` bind more loosely than `==`, so
///   write `(a ^ b) == c`.
///
/// \code
/// Constant const a = matrix({{1.0, 2.0}, {3.0, 4.0}});
/// a == a;                    // true: one bool for the whole value
/// apply(op::EQ, a, a);       // [true, true; true, true]
/// a * a;                     // element-wise: [1.0, 4.0; 9.0, 16.0]
/// apply(op::MTIMES, a, a);   // the matrix product: [7.0, 10.0; 15.0, 22.0]
/// \endcode
#pragma once

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>

#include <algorithm>
#include <initializer_list>
#include <ranges>
#include <span>
#include <type_traits>

namespace lang::core {

namespace detail {

/// True for the element types an Array holds: bool, int, unsigned long, double.
template <class T>
inline constexpr bool is_element_v = std::is_same_v<T, bool> || std::is_same_v<T, int> ||
                                     std::is_same_v<T, unsigned long> || std::is_same_v<T, double>;

}  // namespace detail

/// An array of shape `size` holding `elements`, which are in column-major
/// order. A count other than size's element count raises InconsistentSize
/// (types catalog) with `size` and the count as an n x 1 shape.
///
/// \code
/// int const data[] = {1, 3, 2, 4};
/// Array<int> a = array_of<int>(ArraySize{2, 2}, std::span<int const>(data));  // [1, 2; 3, 4]
/// \endcode
template <class T>
Array<T> array_of(ArraySize const& size, std::span<T const> elements) {
    static_assert(detail::is_element_v<T>, "arrays hold bool, int, unsigned long or double");
    if (elements.size() != size.numElements() || !size.data()->countFits())
        size.requireConsistent(ArraySize{elements.size()});
    Array<T> result = Array<T>::uninitialized(size);
    std::copy(elements.begin(), elements.end(), result.x());
    return result;
}

/// array_of() over any contiguous range, whose value type gives T.
///
/// \code
/// std::vector<double> v{1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
/// Array<double> a = array_of(ArraySize{2, 3}, v);  // [1.0, 3.0, 5.0; 2.0, 4.0, 6.0]
/// \endcode
template <std::ranges::contiguous_range R>
    requires std::ranges::sized_range<R>
Array<std::ranges::range_value_t<R>> array_of(ArraySize const& size, R const& elements) {
    using T = std::ranges::range_value_t<R>;
    return array_of<T>(size, std::span<T const>(std::ranges::data(elements), std::ranges::size(elements)));
}

/// array_of() over the listed elements, in column-major order.
///
/// \code
/// Array<unsigned long> a = array_of(ArraySize{1, 3}, {1UL, 2UL, 3UL});
/// \endcode
template <class T>
Array<T> array_of(ArraySize const& size, std::initializer_list<T> elements) {
    return array_of<T>(size, std::span<T const>(elements.begin(), elements.size()));
}

/// An n x 1 array of `elements`.
///
/// \code
/// Array<double> c = column({1.0, 2.0, 3.0});  // [1.0; 2.0; 3.0]
/// \endcode
template <class T>
Array<T> column(std::initializer_list<T> elements) {
    return array_of<T>(ArraySize{elements.size()}, elements);
}

/// An array from its rows, as a person writes a matrix; it is stored column
/// by column. No rows give the 0x0 array. A row whose length differs from
/// the first row's raises InconsistentSize (types catalog) with the two rows
/// as 1 x n shapes, the first row's first.
///
/// \code
/// Array<double> m = matrix({{1.0, 2.0}, {3.0, 4.0}});  // storage order 1, 3, 2, 4
/// \endcode
template <class T>
Array<T> matrix(std::initializer_list<std::initializer_list<T>> rows) {
    static_assert(detail::is_element_v<T>, "arrays hold bool, int, unsigned long or double");
    unsigned long const m = rows.size(), n = m == 0 ? 0 : rows.begin()->size();
    for (auto const& row : rows)
        if (row.size() != n) ArraySize{1, n}.requireConsistent(ArraySize{1, row.size()});
    Array<T> result = Array<T>::uninitialized(ArraySize{m, n});
    T* const out = result.x();
    unsigned long r = 0;
    for (auto const& row : rows) {
        unsigned long c = 0;
        for (T const& v : row) out[c++ * m + r] = v;
        ++r;
    }
    return result;
}

/// An array of shape `size` from scalar constants of one element type, in
/// column-major order: a Constant holding the array. A count other than
/// size's element count raises InconsistentSize, as array_of() does; an
/// element that is not a scalar raises InvalidScalarConstant with its type;
/// a scalar of another element type than the first raises InvalidSet, as
/// indexable::Set does. With no elements (an empty shape) the array is real.
///
/// \code
/// Constant const elements[] = {1, 2, 3};
/// Constant a = array_from(ArraySize{1, 3}, elements);  // [1, 2, 3]
/// \endcode
LANGCORE_API Constant array_from(ArraySize const& size, std::span<Constant const> elements);

}  // namespace lang::core
