#include <lang/core/text/quoted_string.hpp>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using lang::core::QuotedStringConversion;

std::string serialize(std::u16string const& text) { return QuotedStringConversion::serialize(text); }
std::u16string deserialize(std::string const& quoted) { return QuotedStringConversion::deserialize(quoted); }

TEST(QuotedString, SerializeEscapes) {
    EXPECT_EQ(serialize(u"a b~"), "a b~");
    EXPECT_EQ(serialize(u"\n\"'\\"), "\\n\\\"\\'\\\\");
    EXPECT_EQ(serialize(u"\u0007"), "\\7");
    EXPECT_EQ(serialize(u"\u00071"), "\\0000071");
    EXPECT_EQ(serialize(u"\u00078"), "\\78");
    EXPECT_EQ(serialize(u"\u20ac"), "\\20254");
    EXPECT_EQ(serialize(u"\uffff0"), "\\1777770");
    EXPECT_EQ(serialize(std::u16string(u"\0\u007f\t", 3)), "\\0\\177\\11");
    // The unit after an escape decides the form even when it is escaped itself.
    EXPECT_EQ(serialize(u"\u0001\u0002"), "\\1\\2");
}

TEST(QuotedString, DeserializeAbsorbsMalformedInput) {
    EXPECT_EQ(deserialize("a\\qb"), u"ab");
    EXPECT_EQ(deserialize("ab\\"), u"ab");
    EXPECT_EQ(deserialize("\\1\t2"), u"\n");
    EXPECT_EQ(deserialize("\\7\\8"), u"\u0007");
    EXPECT_EQ(deserialize("a\x01\x7f\xc3\xa4z"), u"az");
    EXPECT_EQ(deserialize("\\\tn"), u"\n");                 // skipped even right after the backslash
    EXPECT_EQ(deserialize("\\7777777"), u"\uffff7");        // low 16 bits of 0o777777
}

// Round trips over strings crowded with the units that need care: digits,
// quotes, backslashes, controls and units beyond ASCII.
TEST(QuotedString, EveryStringRoundTrips) {
    std::mt19937 random(20240607);
    auto pick = [&](unsigned low, unsigned high) {
        return static_cast<char16_t>(std::uniform_int_distribution<unsigned>(low, high)(random));
    };
    for (int trial = 0; trial < 20000; ++trial) {
        std::u16string text(std::uniform_int_distribution<int>(0, 12)(random), u' ');
        for (char16_t& unit : text) {
            switch (std::uniform_int_distribution<int>(0, 6)(random)) {
                case 0: unit = pick('0', '9'); break;
                case 1: unit = u"\\\"'n"[pick(0, 3)]; break;
                case 2: unit = pick(0, 31); break;
                case 3: unit = pick(127, 255); break;
                case 4: unit = pick(256, 0xffff); break;
                case 5: unit = pick(0xfff8, 0xffff); break;
                default: unit = pick(32, 126); break;
            }
        }
        std::string const quoted = serialize(text);
        for (char c : quoted) ASSERT_TRUE(c >= 32 && c <= 126) << testing::PrintToString(text);
        ASSERT_EQ(deserialize(quoted), text) << quoted;
    }
}

}  // namespace
