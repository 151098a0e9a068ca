// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/type.hpp>
#include <lang/core/types/types.hpp>

#include "detail/hash.hpp"
#include "detail/write_list.hpp"

namespace lang::core {

Types::Types(Type const& element) { push_back(element); }

Types& Types::operator+=(Type const& element) {
    push_back(element);
    return *this;
}

Types& Types::operator+=(Types const& other) {
    append(other);
    return *this;
}

unsigned long hash_value(Types const& types) {
    std::uint64_t h = 0;
    for (Type const& e : types) h = detail::hash_combine(h, hash_value(e));
    return h;
}

Types operator+(Type const& a, Type const& b) {
    Types both(a);
    both += b;
    return both;
}

std::ostream& operator<<(std::ostream& os, Types const& types) { return detail::write_list(os, "(", types, ")"); }

}  // namespace lang::core
