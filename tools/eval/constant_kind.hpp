// SPDX-License-Identifier: Apache-2.0
// The kinds of constant the evaluator tells apart, named, so that no reader
// needs the order of the alternatives in a Constant.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/types/type_id.hpp>

#include <type_traits>
#include <variant>

namespace lang::eval {

inline bool is_scalar(core::Constant const& c) {
    return core::visit([](auto const& v) { return core::is_scalar_v<std::decay_t<decltype(v)>>; }, c);
}

inline bool is_tuple(core::Constant const& c) { return std::holds_alternative<core::Tuple>(c.value()); }

/// The element type of a scalar or an array; INVALID for a tuple.
inline core::type::Id element_type_of(core::Constant const& c) {
    return core::visit(
        [](auto const& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, core::Tuple>) return core::type::INVALID;
            else return core::type::id_of<typename V::element_type>;
        },
        c);
}

}  // namespace lang::eval
