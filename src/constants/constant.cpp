// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/constant.hpp>

#include "constants/detail/element.hpp"
#include "detail/digest.hpp"
#include "detail/hash.hpp"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <type_traits>
#include <variant>

namespace lang::core {
namespace {

class UnexpectedIndex final : public std::bad_variant_access {
public:
    char const* what() const noexcept override { return "Unexpected index"; }
};

// Applies `f` to the alternatives of two constants that hold the same one.
template <class F>
decltype(auto) visit_same(Constant const& a, Constant const& b, F&& f) {
    return visit([&](auto const& x) -> decltype(auto) {
        return f(x, *std::get_if<std::decay_t<decltype(x)>>(&b.value()));
    }, a);
}

}  // namespace

void throw_unexpected_index() { throw UnexpectedIndex(); }

Type value_type(Constant const& c) {
    return visit([](auto const& x) -> Type {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return ScalarType(type::id_of<typename A::element_type>);
        else if constexpr (is_array_v<A>) return ArrayType(type::id_of<typename A::element_type>, x.size());
        else return value_type(x);
    }, c);
}

Constant make_constant(Type const& t) {
    if (t.value().valueless_by_exception()) throw std::logic_error("invalid visit");
    return std::visit([](auto const& x) -> Constant {
        using K = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<K, ScalarType>) {
            return detail::visit_element_type(x(), [](auto zero) { return Constant(zero); });
        } else if constexpr (std::is_same_v<K, ArrayType>) {
            return detail::visit_element_type(x.base(), [&](auto zero) {
                return Constant(Array<decltype(zero)>(x.size()));
            });
        } else {
            return make_tuple(x);
        }
    }, t.value());
}

bool empty(Constant const& c) {
    return visit([](auto const& x) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return false;
        else if constexpr (is_array_v<A>) return x.empty();
        else return empty(x);
    }, c);
}

bool operator==(Constant const& a, Constant const& b) {
    if (a.id() != b.id()) return false;
    if (a.id() < 0) return true;
    return visit_same(a, b, [](auto const& x, auto const& y) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return detail::element_equal(x.value, y.value);
        else if constexpr (is_array_v<A>) return x.equal_(y);
        else return x.constants() == y.constants();
    });
}

int compare(Constant const& a, Constant const& b) {
    if (b.id() < 0) {
        if (a.id() < 0) throw_unexpected_index();
        return 1;
    }
    if (a.id() < 0) return 2;
    if (a.id() != b.id()) return a.id() < b.id() ? 1 : 2;
    return visit_same(a, b, [](auto const& x, auto const& y) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return detail::element_compare(x.value, y.value);
        else if constexpr (is_array_v<A>) return x.compare_(y);
        else return compare(x.constants(), y.constants());
    });
}

unsigned long hash_value(Constant const& c) {
    return visit([&](auto const& x) -> unsigned long {
        using A = std::decay_t<decltype(x)>;
        std::uint64_t const h = detail::hash_combine(0, c.value().index());
        if constexpr (is_scalar_v<A>) {
            return detail::hash_combine(h, detail::hash_combine(0, detail::element_key(x.value)));
        } else if constexpr (is_array_v<A>) {
            return detail::hash_combine(h, x.hash());
        } else {
            return detail::hash_combine(h, detail::hash_combine(0, hash_value(x.constants())));
        }
    }, c);
}

std::ostream& operator<<(std::ostream& os, Constant const& c) {
    visit([&](auto const& x) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) detail::write_element(os, x.value);
        else if constexpr (is_array_v<A>) x.out(os);
        else os << x;
    }, c);
    return os;
}

void incorporate_data(DigestSink& sink, Constant const& c) {
    // A valueless constant still feeds its index, 2^64 - 1, before raising.
    detail::feed(sink, static_cast<std::uint64_t>(c.id()));
    visit([&](auto const& x) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) {
            detail::feed_element(sink, x.value);
        } else if constexpr (is_array_v<A>) {
            ArraySize const& size = x.size();
            detail::feed(sink, std::int32_t{type::id_of<typename A::element_type>});
            detail::feed(sink, std::uint64_t{size.size()});
            for (unsigned long i = 0; i < size.size(); ++i) detail::feed(sink, std::uint64_t{size(i)});
            for (auto const e : x) detail::feed_element(sink, e);
        } else {
            incorporate_data(sink, x.constants());
        }
    }, c);
}

}  // namespace lang::core
