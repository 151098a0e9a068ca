// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/scalar_constant.hpp>

#include "constants/detail/element.hpp"
#include "detail/hash.hpp"
#include "detail/raise.hpp"

#include <ostream>
#include <type_traits>

namespace lang::core {
namespace {

ScalarValue scalar_of(Constant const& c) {
    return visit([&](auto const& x) -> ScalarValue {
        if constexpr (is_scalar_v<std::decay_t<decltype(x)>>) return x;
        else raise<msg::constants::InvalidScalarConstant>(value_type(c));
    }, c);
}

// Applies `f` to the scalars of two constants of the same element type.
template <class F>
decltype(auto) visit_same(ScalarConstant const& a, ScalarConstant const& b, F&& f) {
    return boost::apply_visitor([&](auto const& x) -> decltype(auto) {
        return f(x.value, boost::get<std::decay_t<decltype(x)>>(b.value()).value);
    }, a.value());
}

}  // namespace

ScalarConstant::ScalarConstant(Constant const& c) : TupleWrapper(scalar_of(c)) {}

bool operator==(ScalarConstant const& a, ScalarConstant const& b) noexcept {
    if (a.id() != b.id()) return false;
    return visit_same(a, b, [](auto x, auto y) { return detail::element_equal(x, y); });
}

int compare(ScalarConstant const& a, ScalarConstant const& b) noexcept {
    if (a.id() != b.id()) return a.id() < b.id() ? 1 : 2;
    return visit_same(a, b, [](auto x, auto y) { return detail::element_compare(x, y); });
}

unsigned long hash_value(ScalarConstant const& s) noexcept {
    // The same hash as the scalar Constant, so both may key one table.
    return s.hash_memo().get([&] {
        std::uint64_t const key = boost::apply_visitor([](auto const& x) { return detail::element_key(x.value); },
                                                       s.value());
        return detail::hash_combine(detail::hash_combine(0, s.id()), detail::hash_combine(0, key));
    });
}

std::ostream& operator<<(std::ostream& os, ScalarConstant const& s) { return os << to_constant(s); }

ScalarConstant one(type::Id id) {
    return detail::visit_element_type(id, [](auto zero) {
        using T = decltype(zero);
        return ScalarConstant(Scalar<T>{static_cast<T>(1)});
    });
}

ScalarConstant zero(type::Id id) {
    return detail::visit_element_type(id, [](auto zero) { return ScalarConstant(Scalar<decltype(zero)>{zero}); });
}

}  // namespace lang::core
