// SPDX-License-Identifier: Apache-2.0
#include "value_text.hpp"

#include <lang/core/core.hpp>

#include <qz/i18n/ustring.hpp>

#include <cstdio>
#include <sstream>

namespace lang::eval {

std::string user_text(core::Constant const& value) {
    return core::visit(
        [](auto const& v) -> std::string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, core::Tuple>) {
                std::string out = "{";
                for (core::Constant const& e : v.constants()) out += (out.size() > 1 ? ", " : "") + user_text(e);
                return out + "}";
            } else if constexpr (core::is_array_v<V>) {
                return qz::i18n::to_utf8(v.toUserString());
            } else {
                return qz::i18n::to_utf8(core::detail::ScalarToUserString<decltype(v.value)>()(v.value));
            }
        },
        value);
}

std::string show(core::Constant const& value, ShowOptions const& options) {
    std::ostringstream os;
    if (options.user) {
        os << user_text(value);
    } else {
        os << value;
    }
    if (options.type || options.hash) os << "  #";
    if (options.type) os << ' ' << core::value_type(value);
    if (options.hash) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%016lx", core::hash_value(value));
        os << ' ' << hex;
    }
    return os.str();
}

}  // namespace lang::eval
