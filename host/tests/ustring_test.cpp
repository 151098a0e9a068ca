// SPDX-License-Identifier: Apache-2.0
// UTF-8 to UTF-16 conversion both ways: every scalar value against reference
// encoders, and one replacement per malformed byte.
#include <qz/i18n/ustring.hpp>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using qz::i18n::to_ustring;

constexpr char16_t bad = 0xFFFD;

// Reference encoders, written out from the encoding rules.
std::string utf8(char32_t c) {
    if (c < 0x80) return {static_cast<char>(c)};
    if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000) {
        return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

std::u16string utf16(char32_t c) {
    if (c < 0x10000) return {static_cast<char16_t>(c)};
    return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

TEST(ToUstring, DecodesEveryScalarValueAndReplacesEachMalformedByte) {
    // A C string ends at a zero; a std::string keeps it, as U+0000 below shows.
    EXPECT_EQ(to_ustring("a\0b"), u"a");

    // Every scalar value, in one string, against the reference encoders.
    std::string in;
    std::u16string expected;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        in += utf8(c);
        expected += utf16(c);
    }
    EXPECT_TRUE(to_ustring(in) == expected);
    // And back: every scalar value encodes to the reference bytes.
    EXPECT_TRUE(qz::i18n::to_utf8(expected) == in);
    // A lone surrogate has no scalar value; it is encoded as it stands.
    EXPECT_EQ(qz::i18n::to_utf8(std::u16string{0xD800, u'a'}), "\xED\xA0\x80" "a");

    // Each malformed byte becomes one replacement character.
    std::pair<char const*, std::u16string> const cases[] = {
        // A lone continuation, an overlong form, an encoded surrogate, a value
        // above U+10FFFF, an interrupted sequence, a lead byte cut short by another.
        {"\x80", {bad}}, {"\xC0\xAF", {bad, bad}}, {"\xED\xA0\x80", {bad, bad, bad}},
        {"\xF4\x90\x80\x80", {bad, bad, bad, bad}}, {"\xE2\x82" "A", {bad, bad, u'A'}}, {"\xC3\xC3\xA9", {bad, 0xE9}},
    };
    for (auto const& [in, out] : cases) EXPECT_TRUE(to_ustring(in) == out) << testing::PrintToString(std::string(in));
}

}  // namespace
