// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/element_access.hpp>

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/tuple.hpp>

#include "detail/raise.hpp"
#include "index/detail/same_alternative.hpp"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace lang::core {
namespace {

template <class T>
void copy_all(Array<T>& dst, Array<T> const& src) {
    dst.size().requireConsistent(src.size());
    // dst first: when src is the same array, it then names the block dst
    // writes, and copying it onto itself is skipped.
    T* const out = dst.x();
    T const* const in = src.x();
    if (out != in) std::copy_n(in, src.size().numElements(), out);
}

}  // namespace

Constant const& extract(Constant const& c, unsigned long i) {
    return visit([&](auto const& x) -> Constant const& {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, Tuple>) return extract(x, i);
        else raise<msg::constants::InvalidExtract>(value_type(c));
    }, c);
}

Constant& extract(Constant& c, unsigned long i) { return const_cast<Constant&>(extract(std::as_const(c), i)); }

void assign(Constant& dst, Constant const& src) {
    bool const assigned = detail::visit_same(dst, src, [](auto& d, auto const& s) {
        using A = std::decay_t<decltype(d)>;
        if constexpr (is_scalar_v<A>) d.value = s.value;
        else if constexpr (is_array_v<A>) copy_all(d, s);
        else assign(d, s);
        return true;
    });
    if (!assigned) raise<msg::constants::InvalidAssign>(value_type(dst), value_type(src));
}

void assign(Tuple& dst, Tuple const& src) {
    if (value_type(dst) != value_type(src)) raise<msg::constants::InvalidAssign>(value_type(dst), value_type(src));
    // Equal types make every element pair assignable, so only a failure to
    // copy shared storage can stop the loop part-way.
    Constants& targets = dst.constants();
    Constants const& sources = src.constants();
    for (unsigned long i = 0; i < targets.size(); ++i) assign(targets[i], sources[i]);
}

}  // namespace lang::core
