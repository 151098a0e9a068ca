// SPDX-License-Identifier: Apache-2.0
// The dispatch shared by the element-access operations that pair two
// constants: both must hold the same alternative.
#pragma once

#include <lang/core/constants/constant.hpp>

#include <type_traits>
#include <variant>

namespace lang::core::detail {

/// f(d, s) with dst's alternative and src's when they are the same
/// alternative, false otherwise. `f` returns whether it accepted the pair.
/// A valueless dst raises std::bad_variant_access; a valueless src gives false.
template <class F>
bool visit_same(Constant& dst, Constant const& src, F&& f) {
    return visit([&](auto& d) -> bool {
        auto const* s = std::get_if<std::decay_t<decltype(d)>>(&src.value());
        return s != nullptr && f(d, *s);
    }, dst);
}

}  // namespace lang::core::detail
