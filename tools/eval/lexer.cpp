// SPDX-License-Identifier: Apache-2.0
#include "lexer.hpp"

#include "operator_grammar.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

namespace lang::eval {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_name_char(char c) { return is_name_start(c) || is_digit(c); }

// Punctuation of the literal and call syntax; operators come from the grammar.
constexpr std::array<std::string_view, 10> punctuation = {"(", ")", "[", "]", "{", "}", ",", ";", "=", ":"};

// Digits, an optional fraction and exponent, and an optional index suffix
// `i`. A fraction needs a digit after the point, so `2.*3` is a product.
std::size_t number_length(std::string_view s) {
    std::size_t n = 0;
    auto digits = [&] {
        std::size_t const from = n;
        while (n < s.size() && is_digit(s[n])) ++n;
        return n > from;
    };
    digits();
    if (n + 1 < s.size() && s[n] == '.' && is_digit(s[n + 1])) {
        ++n;
        digits();
    }
    if (n < s.size() && (s[n] == 'e' || s[n] == 'E')) {
        std::size_t const mark = n++;
        if (n < s.size() && (s[n] == '+' || s[n] == '-')) ++n;
        if (!digits()) n = mark;
    }
    if (n < s.size() && s[n] == 'i') ++n;
    return n;
}

// The character that starts `s` as the reader shows it: itself in quotes,
// with its code point when it is not ASCII; a control character or a byte
// that starts no UTF-8 sequence by its number.
std::string shown_character(std::string_view s) {
    auto const lead = static_cast<unsigned char>(s[0]);
    if (lead >= 0x20 && lead < 0x7f) return std::string("'") + s[0] + "'";
    std::size_t const length = lead >= 0xf0 && lead < 0xf5 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 1;
    char hex[16];
    if (lead < 0x80) {
        std::snprintf(hex, sizeof hex, "U+%04X", lead);
        return hex;
    }
    char32_t code = lead & (0x7f >> length);
    bool valid = length > 1 && s.size() >= length;
    for (std::size_t k = 1; valid && k < length; ++k) {
        valid = !starts_column(s[k]);
        code = code << 6 | (static_cast<unsigned char>(s[k]) & 0x3f);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && code >= least[length] && (code < 0xd800 || code > 0xdfff) && code <= 0x10ffff;
    if (!valid) {
        std::snprintf(hex, sizeof hex, "0x%02X", lead);
        return std::string("byte ") + hex + ", which is not UTF-8";
    }
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
    return "'" + std::string(s.substr(0, length)) + "' (" + hex + ")";
}

}  // namespace

std::vector<Token> tokenize(std::string_view text, Position start) {
    auto const& spellings = OperatorGrammar::instance().spellings();
    std::vector<Token> tokens;
    Position at = start;
    Position end = start;  // just past the last token: where "at the end" points
    std::size_t i = 0;
    auto advance = [&](std::size_t n) {
        for (std::size_t k = 0; k < n; ++k, ++i) {
            if (text[i] == '\n') {
                ++at.line;
                at.column = 1;
            } else if (starts_column(text[i])) {
                ++at.column;
            }
        }
    };
    while (i < text.size()) {
        char const c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            advance(1);
            continue;
        }
        if (c == '#') {
            std::size_t const end = text.find('\n', i);
            advance((end == std::string_view::npos ? text.size() : end) - i);
            continue;
        }
        std::string_view const rest = text.substr(i);
        Token token{Token::Kind::Symbol, {}, at};
        std::size_t length = 0;
        if (is_digit(c)) {
            token.kind = Token::Kind::Number;
            length = number_length(rest);
            if (length < rest.size() && is_name_char(rest[length]))
                throw SyntaxError(at, "malformed number '" + std::string(rest.substr(0, length + 1)) + "'");
        } else if (is_name_start(c)) {
            token.kind = Token::Kind::Name;
            while (length < rest.size() && is_name_char(rest[length])) ++length;
        } else {
            auto longest = [&](auto const& candidates) {
                for (std::string_view s : candidates)
                    if (rest.starts_with(s)) length = std::max(length, s.size());
            };
            longest(spellings);
            longest(punctuation);
            // Division by a matrix is no operation of the library's.
            if (length == 0 && c == '/') throw SyntaxError(at, "'/' is not an operator; use ./ for element-wise division");
            if (length == 0) throw SyntaxError(at, "unexpected character " + shown_character(rest));
        }
        token.text = std::string(rest.substr(0, length));
        tokens.push_back(std::move(token));
        advance(length);
        end = at;
    }
    tokens.push_back(Token{Token::Kind::End, {}, end});
    return tokens;
}

}  // namespace lang::eval
