// SPDX-License-Identifier: Apache-2.0
// Identifier text: case folding, the identifier character classes, and the
// checker that validates an identifier and interns it.
#pragma once

#include <kbase/export.hpp>
#include <kbase/table_string.hpp>

#include <string>

namespace kbase {

/// Lower-case copy of ASCII text; other bytes are copied unchanged.
KBASE_API std::string lower(std::string const& text);

/// A letter or an underscore may start an identifier.
constexpr bool is_halden_head_id_char(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

/// Letters, digits and underscores may continue one.
constexpr bool is_halden_tail_id_char(char c) noexcept {
    return is_halden_head_id_char(c) || (c >= '0' && c <= '9');
}

namespace detail {

/// Validates text as an identifier and returns it interned; anything else
/// raises a kbase::MessageException (catalog "kbase:utility", key
/// "InvalidIdentifier", the text as argument).
struct KBASE_API HdIdCheck {
    BasicTableString<char> operator()(char const* text, unsigned long length) const;
};

}  // namespace detail
}  // namespace kbase
