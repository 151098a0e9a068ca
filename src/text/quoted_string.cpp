// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/quoted_string.hpp>

#include <kbase/numeric.hpp>

namespace lang::core {

unsigned long const QuotedStringConversion::MAX_OCTAL_DIGITS = 6;

namespace {

char const* const short_escape = "\\%o";
// "\%0.6o": at least MAX_OCTAL_DIGITS digits, zero-filled.
std::string const long_escape = "\\%0." + std::to_string(QuotedStringConversion::MAX_OCTAL_DIGITS) + "o";

bool is_printable(unsigned c) { return c >= 32 && c <= 126; }
bool is_octal_digit(unsigned c) { return c >= '0' && c <= '7'; }

void append_octal_escape(std::string& out, char16_t unit, bool padded) {
    // A backslash and six digits of a 16-bit value, plus the terminator.
    char buffer[8];
    int const length = kbase_snprintf(buffer, sizeof buffer, padded ? long_escape.c_str() : short_escape,
                                      static_cast<unsigned>(unit));
    out.append(buffer, static_cast<std::size_t>(length));
}

}  // namespace

std::string QuotedStringConversion::serialize(std::u16string const& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        char16_t const c = text[k];
        switch (c) {
            case u'\n': out += "\\n"; continue;
            case u'"': out += "\\\""; continue;
            case u'\'': out += "\\'"; continue;
            case u'\\': out += "\\\\"; continue;
            default: break;
        }
        if (is_printable(c)) {
            out += static_cast<char>(c);
        } else {
            // A digit right after a short escape would be read as part of it.
            bool const next_is_digit = k + 1 < text.size() && is_octal_digit(text[k + 1]);
            append_octal_escape(out, c, next_is_digit);
        }
    }
    return out;
}

std::u16string QuotedStringConversion::deserialize(std::string const& quoted) {
    enum class State { plain, escape, octal };
    State state = State::plain;
    unsigned value = 0;
    unsigned long digits = 0;

    std::u16string out;
    out.reserve(quoted.size());
    for (char const ch : quoted) {
        auto const c = static_cast<unsigned char>(ch);
        if (!is_printable(c)) continue;

        if (state == State::octal) {
            if (is_octal_digit(c) && digits < MAX_OCTAL_DIGITS) {
                value = value * 8 + (c - '0');
                ++digits;
                continue;
            }
            out += static_cast<char16_t>(value);
            state = State::plain;  // c itself is read as plain text below
        }

        if (state == State::plain) {
            if (c == '\\') {
                state = State::escape;
            } else {
                out += static_cast<char16_t>(c);
            }
            continue;
        }

        // After a backslash.
        state = State::plain;
        if (is_octal_digit(c)) {
            value = c - '0';
            digits = 1;
            state = State::octal;
        } else if (c == '"' || c == '\'' || c == '\\') {
            out += static_cast<char16_t>(c);
        } else if (c == 'n') {
            out += u'\n';
        }
    }
    if (state == State::octal) out += static_cast<char16_t>(value);
    return out;
}

}  // namespace lang::core
