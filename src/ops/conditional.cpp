// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/conditional.hpp>

#include "detail/raise.hpp"

#include <type_traits>
#include <variant>

namespace lang::core {
namespace {

// Type equality without building types for the common kinds: scalars of one
// alternative always match, arrays when their shapes do.
bool same_type(Constant const& a, Constant const& b) {
    if (a.id() != b.id()) return false;
    return visit([&](auto const& x) -> bool {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return true;
        else if constexpr (is_array_v<A>) return x.size() == std::get<A>(b.value()).size();
        else return value_type(a) == value_type(b);
    }, a);
}

/// Position i reads element i of an array, or a scalar's one value.
template <class V>
auto source(V const& v) noexcept {
    if constexpr (is_array_v<V>) return [p = v.x()](unsigned long i) noexcept { return p[i]; };
    else return [x = v.value](unsigned long) noexcept { return x; };
}

template <class T, class A, class B>
Array<T> select(Array<bool> const& mask, A first, B second) {
    auto result = Array<T>::uninitialized(mask.size());
    bool const* __restrict const m = mask.x();
    T* __restrict const out = result.x();
    unsigned long const n = mask.size().numElements();
    for (unsigned long i = 0; i < n; ++i) out[i] = m[i] ? first(i) : second(i);
    return result;
}

[[noreturn]] void fail_array_conditional(Constant const& c, Constant const& a, Constant const& b) {
    raise<msg::constants::InvalidArrayConditional>(value_type(c), value_type(a), value_type(b));
}

template <class V>
bool fits(Array<bool> const& mask, V const& branch) noexcept {
    if constexpr (is_array_v<V>) return branch.size() == mask.size();
    else return true;
}

template <class X, class Y>
Constant select_branches(Array<bool> const& mask, X const& x, Y const& y, Constant const& c, Constant const& a,
                         Constant const& b) {
    if constexpr ((is_scalar_v<X> || is_array_v<X>) && (is_scalar_v<Y> || is_array_v<Y>)) {
        using T = typename X::element_type;
        if constexpr (std::is_same_v<T, typename Y::element_type>) {
            if (fits(mask, x) && fits(mask, y)) return select<T>(mask, source(x), source(y));
        }
    }
    fail_array_conditional(c, a, b);
}

}  // namespace

Constant const& conditional(Constant const& c, Constant const& a, Constant const& b) {
    auto const* const condition = std::get_if<Scalar<bool>>(&c.value());
    if (condition == nullptr || !same_type(a, b)) {
        raise<msg::constants::InvalidConditional>(value_type(c), value_type(a), value_type(b));
    }
    return condition->value ? a : b;
}

Constant array_conditional(Constant const& c, Constant const& a, Constant const& b) {
    auto const* const mask = std::get_if<Array<bool>>(&c.value());
    if (mask == nullptr) fail_array_conditional(c, a, b);
    return visit([&](auto const& x) -> Constant {
        return visit([&](auto const& y) -> Constant { return select_branches(*mask, x, y, c, a, b); }, b);
    }, a);
}

}  // namespace lang::core
