// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/tuple_type.hpp>
#include <lang/core/types/type.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include "detail/hash.hpp"
#include "detail/write_list.hpp"

#include <algorithm>

namespace lang::core {

unsigned long hash_value(TupleType const& t) {
    return t.hash_memo().get([&] { return detail::hash_combine(0, hash_value(t.types())); });
}

bool operator==(TupleType const& a, TupleType const& b) {
    // Memoised hashes reject most unequal pairs before any walk; a shared
    // list accepts at once.
    if (hash_value(a) != hash_value(b)) return false;
    Types const& x = a.types();
    Types const& y = b.types();
    return x.shares_block_with(y) || std::equal(x.begin(), x.end(), y.begin(), y.end());
}

int compare(TupleType const& a, TupleType const& b) { return compare(a.types(), b.types()); }

std::ostream& operator<<(std::ostream& os, TupleType const& t) {
    os << keyword::name(keyword::TUPLE);
    return detail::write_list(os, "<", t.types(), ">");
}

}  // namespace lang::core
