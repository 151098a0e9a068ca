#include "value_text.hpp"

#include <lang/core/core.hpp>

#include <cstdio>
#include <sstream>

namespace lang::eval {

namespace {

// User forms are UTF-16; the terminal wants UTF-8.
std::string utf8(std::u16string const& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xd800 && c < 0xdc00 && i + 1 < text.size() && text[i + 1] >= 0xdc00 && text[i + 1] < 0xe000)
            c = 0x10000 + ((c - 0xd800) << 10) + (text[++i] - 0xdc00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xc0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xe0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else {
            out += static_cast<char>(0xf0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return out;
}

}  // namespace

std::string user_text(core::Constant const& value) {
    return core::visit(
        [](auto const& v) -> std::string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, core::Tuple>) {
                std::string out = "{";
                for (core::Constant const& e : v.constants()) out += (out.size() > 1 ? ", " : "") + user_text(e);
                return out + "}";
            } else if constexpr (core::is_array_v<V>) {
                return utf8(v.toUserString());
            } else {
                return utf8(core::detail::ScalarToUserString<decltype(v.value)>()(v.value));
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
