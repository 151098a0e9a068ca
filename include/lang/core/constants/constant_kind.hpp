// SPDX-License-Identifier: Apache-2.0
// What kind of value a constant holds, named, so that no caller needs the
// order of the alternatives in Constant::Value. Each raises
// std::bad_variant_access ("Unexpected index") for a valueless constant, as
// every other inspection does.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/types/type_id.hpp>

namespace lang::core {

namespace detail {

/// The alternative's index of `c`, raising for a valueless constant.
inline int checked_id(Constant const& c) {
    int const id = c.id();
    if (id < 0) throw_unexpected_index();
    return id;
}

}  // namespace detail

/// True for the four scalar alternatives.
///
/// \code
/// holds_scalar(Constant(2.0));  // true
/// \endcode
inline bool holds_scalar(Constant const& c) { return detail::checked_id(c) < 4; }

/// True for the four array alternatives.
///
/// \code
/// holds_array(Constant(column<int>({1, 2})));  // true
/// \endcode
inline bool holds_array(Constant const& c) {
    int const id = detail::checked_id(c);
    return id >= 4 && id < 8;
}

/// True for a tuple.
///
/// \code
/// holds_tuple(Constant(Tuple{1, 2.0}));  // true
/// \endcode
inline bool holds_tuple(Constant const& c) { return detail::checked_id(c) == 8; }

/// The element type of a scalar or an array; type::INVALID for a tuple.
///
/// \code
/// element_type_of(Constant(5UL));  // type::INDEX
/// \endcode
inline type::Id element_type_of(Constant const& c) {
    int const id = detail::checked_id(c);
    return id == 8 ? type::INVALID : static_cast<type::Id>(id % 4);
}

}  // namespace lang::core
