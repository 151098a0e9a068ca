// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/array_type.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include <qz/i18n/ustring.hpp>

#include "detail/hash.hpp"

#include <cstdint>
#include <ostream>

namespace lang::core {

int compare(ArrayType const& a, ArrayType const& b) noexcept {
    if (a.base() != b.base()) return a.base() < b.base() ? 1 : 2;
    return compare(a.size(), b.size());
}

unsigned long hash_value(ArrayType const& t) noexcept {
    return t.hash_memo().get([&] {
        auto const base = static_cast<std::uint64_t>(static_cast<std::int64_t>(t.base()));
        return detail::hash_combine(detail::hash_combine(0, base), hash_value(t.size()));
    });
}

std::ostream& operator<<(std::ostream& os, ArrayType const& t) {
    return os << keyword::name(keyword::ARRAY) << '<' << t.base() << ", " << t.size() << '>';
}

std::u16string to_user_string(ArrayType const& t) {
    std::u16string text = qz::i18n::to_ustring("[");
    text += to_user_string(t.size());
    text += qz::i18n::to_ustring(" ");
    for (char const c : to_user_name(t.base()).view()) text += static_cast<char16_t>(c);
    text += qz::i18n::to_ustring("]");
    return text;
}

}  // namespace lang::core
