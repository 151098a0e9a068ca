// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/tuple.hpp>

#include "detail/raise.hpp"
#include "detail/write_list.hpp"

#include <algorithm>

namespace lang::core {

TupleType value_type(Tuple const& t) {
    Types types;
    for (Constant const& c : t.constants()) types += value_type(c);
    return TupleType(types);
}

bool empty(Tuple const& t) {
    Constants const& list = t.constants();
    return std::all_of(list.begin(), list.end(), [](Constant const& c) { return empty(c); });
}

std::ostream& operator<<(std::ostream& os, Tuple const& t) { return detail::write_list(os, "{", t.constants(), "}"); }

Constant const& extract(Tuple const& t, unsigned long i) {
    if (i >= t.constants().size()) raise<msg::constants::InvalidTupleAccess>(i, value_type(t));
    return t.constants()[i];
}

Constant& extract(Tuple& t, unsigned long i) { return const_cast<Constant&>(extract(std::as_const(t), i)); }

Tuple make_tuple(TupleType const& type) {
    Constants list;
    list.reserve(type.types().size());
    for (Type const& t : type.types()) list.push_back(make_constant(t));
    return Tuple(std::move(list));
}

}  // namespace lang::core
