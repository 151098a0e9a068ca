// SPDX-License-Identifier: Apache-2.0
// Text: assertion severities, their list, names, printing and parsing;
// quoted strings, with exact escapes, malformed input absorbed, and round
// trips; and a constant's stream and user texts.
#include <lang/core/text/assert_type.hpp>
#include <lang/core/text/constant_text.hpp>
#include <lang/core/text/quoted_string.hpp>

#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>
#include <lang/core/constants/tuple.hpp>

#include "test_support/values.hpp"

#include <qz/i18n/ustring.hpp>

#include <boost/optional/optional_io.hpp>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using test::printed;
using namespace std::literals;

TEST(AssertType, ValuesNamesPrintingAndParsing) {
    EXPECT_EQ(assert_types(), (std::vector<AssertType>{AssertType::ERROR, AssertType::WARNING}));
    EXPECT_EQ(printed(AssertType::ERROR) + printed(AssertType::WARNING), "ERRORWARNING");
    EXPECT_EQ(to_ustring(AssertType::ERROR) + to_ustring(AssertType::WARNING), u"ERRORWARNING");
    EXPECT_EQ(to_assert_type(u"WARNING"), AssertType::WARNING);
    EXPECT_THROW(to_ustring(static_cast<AssertType>(2)), std::out_of_range);
    EXPECT_THROW(printed(static_cast<AssertType>(-1)), std::out_of_range);
    for (auto const& text : {u"warning"s, u"ERROR "s, u"ERRO"s, u""s, u"ERROR\0"s}) EXPECT_FALSE(to_assert_type(text));
}

std::string serialize(std::u16string const& text) { return QuotedStringConversion::serialize(text); }
std::u16string deserialize(std::string const& quoted) { return QuotedStringConversion::deserialize(quoted); }

TEST(QuotedString, EscapesExactlyAbsorbsMalformedInputAndRoundTrips) {
    std::pair<std::u16string, std::string> const escaped[] = {
        {u"a b~", "a b~"}, {u"\n\"'\\", "\\n\\\"\\'\\\\"}, {u"\u0007", "\\7"}, {u"\u00071", "\\0000071"},
        {u"\u00078", "\\78"}, {u"\u20ac", "\\20254"}, {u"\uffff0", "\\1777770"},
        {std::u16string(u"\0\u007f\t", 3), "\\0\\177\\11"},
        // The unit after an escape decides the form even when it is escaped itself.
        {u"\u0001\u0002", "\\1\\2"},
    };
    for (auto const& [text, quoted] : escaped) EXPECT_EQ(serialize(text), quoted);
    std::pair<std::string, std::u16string> const absorbed[] = {
        {"a\\qb", u"ab"}, {"ab\\", u"ab"}, {"\\1\t2", u"\n"}, {"\\7\\8", u"\u0007"}, {"a\x01\x7f\xc3\xa4z", u"az"},
        // A control is skipped even right after the backslash; an escape keeps
        // the low 16 bits of its value.
        {"\\\tn", u"\n"}, {"\\7777777", u"\uffff7"},
    };
    for (auto const& [quoted, text] : absorbed) EXPECT_EQ(deserialize(quoted), text) << quoted;

    // Round trips over strings crowded with the units that need care.
    std::mt19937 random(20240607);
    // Digits, controls, Latin-1, any unit, the highest units, printable ASCII,
    // and quotes, backslashes and n.
    constexpr unsigned ranges[][2] = {{'0', '9'}, {0, 31}, {127, 255}, {256, 0xffff}, {0xfff8, 0xffff}, {32, 126}};
    auto pick = [&](unsigned low, unsigned high) {
        return static_cast<char16_t>(std::uniform_int_distribution<unsigned>(low, high)(random));
    };
    for (int trial = 0; trial < 20000; ++trial) {
        std::u16string text(std::uniform_int_distribution<int>(0, 12)(random), u' ');
        for (char16_t& unit : text) {
            unsigned const kind = pick(0, 6);
            unit = kind == 6 ? u"\\\"'n"[pick(0, 3)] : pick(ranges[kind][0], ranges[kind][1]);
        }
        std::string const quoted = serialize(text);
        for (char c : quoted) ASSERT_TRUE(c >= 32 && c <= 126) << testing::PrintToString(text);
        ASSERT_EQ(deserialize(quoted), text) << quoted;
    }
}

// The user form the library prints in UTF-16; a tuple's is its elements' in
// braces.
std::u16string reference_user_text(Constant const& c) {
    return visit(
        [](auto const& v) -> std::u16string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Tuple>) {
                std::u16string out;
                for (Constant const& e : v.constants()) out += (out.empty() ? u"" : u", ") + reference_user_text(e);
                return u"{" + out + u"}";
            } else if constexpr (is_array_v<V>) {
                return v.toUserString();
            } else {
                return detail::ScalarToUserString<decltype(v.value)>()(v.value);
            }
        },
        c);
}

// The UTF-8 text is checked by the host's converter of the other direction.
TEST(ConstantText, MatchesTheFormsTheLibraryPrints) {
    for (Constant const& c : test::generated_constants()) {
        EXPECT_EQ(stream_text(c), printed(c));
        EXPECT_TRUE(qz::i18n::to_ustring(user_text(c)) == reference_user_text(c)) << c;
    }
    EXPECT_EQ(user_text(Constant(Tuple{5, matrix({{1.0, 2.5}}), Tuple{}})), "{int32(5), [1 2.5000], {}}");
}

}  // namespace
}  // namespace lang::core
