// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/type.hpp>

#include "detail/digest.hpp"
#include "detail/hash.hpp"
#include "detail/raise.hpp"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <type_traits>

namespace lang::core {
namespace {

template <class F>
decltype(auto) visit(Type const& t, F&& f) {
    if (t.value().valueless_by_exception()) throw std::logic_error("invalid visit");
    return std::visit(std::forward<F>(f), t.value());
}

// Applies `f` to the alternatives of two types already known to hold the
// same one.
template <class F>
decltype(auto) visit_same(Type const& a, Type const& b, F&& f) {
    return visit(a, [&](auto const& x) -> decltype(auto) {
        return f(x, std::get<std::decay_t<decltype(x)>>(b.value()));
    });
}

unsigned long memo_of(Type const& t) {
    return visit(t, [](auto const& alternative) -> unsigned long { return hash_value(alternative); });
}

}  // namespace

bool operator==(Type const& a, Type const& b) {
    if (a.id() != b.id()) return false;
    if (memo_of(a) != memo_of(b)) return false;
    return visit_same(a, b, [](auto const& x, auto const& y) { return x == y; });
}

int compare(Type const& a, Type const& b) {
    if (a.id() != b.id()) return a.id() < b.id() ? 1 : 2;
    return visit_same(a, b, [](auto const& x, auto const& y) { return compare(x, y); });
}

unsigned long hash_value(Type const& t) { return detail::hash_combine(memo_of(t), t.id()); }

bool equal_ignore_annotation(Type const& a, Type const& b) {
    if (a.id() != b.id()) return false;
    return visit_same(a, b, [](auto const& x, auto const& y) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, TupleType>) {
            return std::equal(x.types().begin(), x.types().end(), y.types().begin(), y.types().end(),
                              [](Type const& p, Type const& q) { return equal_ignore_annotation(p, q); });
        } else if constexpr (std::is_same_v<T, ScalarType>) {
            return x() == y();
        } else {
            return x.base() == y.base() && x.size() == y.size();
        }
    });
}

void strip_annotation_inplace(Type& t) {
    visit(t, [](auto const& alternative) { alternative.hash_memo().store(0); });
    if (auto const* tuple = std::get_if<TupleType>(&t.value_)) {
        Types bare;
        for (Type element : tuple->types()) {
            strip_annotation_inplace(element);
            bare += element;
        }
        t.value_ = TupleType(bare);
    }
}

bool is_compound_type(Type const& t) {
    visit(t, [](auto const&) {});
    return t.id() == Type::TUPLE;
}

bool is_void_type(Type const& t) {
    return visit(t, [](auto const& x) {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, TupleType>) return is_void_type(x);
        else return false;
    });
}

type::Id ground_type(Type const& t) {
    return visit(t, [](auto const& x) -> type::Id {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, TupleType>) raise<msg::types::InvalidGroundType>(x);
        else return ground_type(x);
    });
}

void incorporate_data(DigestSink& sink, Type const& t) {
    detail::feed(sink, std::uint64_t{t.id()});
    visit(t, [&](auto const& x) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, TupleType>) {
            for (Type const& element : x.types()) incorporate_data(sink, element);
        } else if constexpr (std::is_same_v<T, ScalarType>) {
            detail::feed(sink, std::int32_t{x()});
        } else {
            detail::feed(sink, std::int32_t{x.base()});
            detail::feed(sink, std::uint64_t{x.size().size()});
            for (unsigned long i = 0; i < x.size().size(); ++i) detail::feed(sink, std::uint64_t{x.size()(i)});
        }
    });
}

std::ostream& operator<<(std::ostream& os, Type const& t) {
    return visit(t, [&](auto const& x) -> std::ostream& { return os << x; });
}

}  // namespace lang::core
