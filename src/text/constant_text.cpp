// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/constant_text.hpp>

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>
#include <lang/core/constants/tuple.hpp>

#include <qz/i18n/ustring.hpp>

#include <sstream>
#include <type_traits>

namespace lang::core {

std::string user_text(Constant const& value) {
    return visit(
        [](auto const& v) -> std::string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Tuple>) {
                std::string out = "{";
                for (Constant const& e : v.constants()) {
                    if (out.size() > 1) out += ", ";
                    out += user_text(e);
                }
                return out + "}";
            } else if constexpr (is_array_v<V>) {
                return qz::i18n::to_utf8(v.toUserString());
            } else {
                return qz::i18n::to_utf8(detail::ScalarToUserString<decltype(v.value)>()(v.value));
            }
        },
        value);
}

std::string stream_text(Constant const& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

}  // namespace lang::core
