// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/constant_text.hpp>

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>
#include <lang/core/constants/tuple.hpp>

#include <sstream>
#include <type_traits>

namespace lang::core {

namespace {

void append_code_point(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD. The host converts
// only the other way.
std::string to_utf8(std::u16string const& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        append_code_point(out, c);
    }
    return out;
}

}  // namespace

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
                return to_utf8(v.toUserString());
            } else {
                return to_utf8(detail::ScalarToUserString<decltype(v.value)>()(v.value));
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
