#include <kbase/hd_id_path.hpp>
#include <kbase/identifier.hpp>
#include <kbase/table_string.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace {

using kbase::HdIdPath;
using kbase::TableString;
using lang::core::test::expect_message;

TableString check(std::string_view text) { return kbase::detail::HdIdCheck{}(text.data(), text.size()); }

void expect_invalid_identifier(std::string_view text) {
    expect_message([&] { check(text); }, "kbase:utility", "InvalidIdentifier", {std::string(text)});
}

TEST(Lower, FoldsAsciiCapitalsOnly) {
    EXPECT_EQ(kbase::lower("ReAL_9xZ@["), "real_9xz@[");
    EXPECT_EQ(kbase::lower(""), "");
    EXPECT_EQ(kbase::lower("\xC3\x84n"), "\xC3\x84n");  // UTF-8 bytes pass through
}

TEST(IdentifierChars, HeadIsLetterOrUnderscoreAndTailAddsDigits) {
    std::string_view const letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    std::string_view const digits = "0123456789";
    for (int i = -128; i < 128; ++i) {
        char const c = static_cast<char>(i);
        bool const letter = letters.find(c) != std::string_view::npos;
        bool const digit = digits.find(c) != std::string_view::npos;
        EXPECT_EQ(kbase::is_halden_head_id_char(c), letter) << i;
        EXPECT_EQ(kbase::is_halden_tail_id_char(c), letter || digit) << i;
    }
}

TEST(HdIdCheck, AcceptsIdentifiersAndReturnsThemInterned) {
    for (std::string_view name : {"logical", "integer", "index", "real", "_", "x9_Y", "array"}) {
        TableString const s = check(name);
        EXPECT_EQ(s.view(), name);
        EXPECT_EQ(s, TableString(name));
    }
    // Only the given length counts, not a terminating zero.
    EXPECT_EQ(kbase::detail::HdIdCheck{}("abc-def", 3).view(), "abc");
}

TEST(HdIdCheck, RejectsEverythingElseWithTheText) {
    for (std::string_view text : {"", "9lives", "a-b", "a.b", "a b", " a", "\xC3\xA9t\xC3\xA9"}) expect_invalid_identifier(text);
    expect_invalid_identifier(std::string_view("ab\0c", 4));
}

TEST(TableString, EqualTextsShareOneRecord) {
    TableString const a("alpha", 5);
    TableString const b(std::string("alpha"));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.data(), b.data());
    EXPECT_EQ(a.hash(), b.hash());
    EXPECT_EQ(std::hash<TableString>{}(a), a.hash());
    EXPECT_EQ(a.compare_(b), 0);

    TableString const empty;
    EXPECT_EQ(empty, TableString("", 0));
    EXPECT_EQ(empty.size(), 0u);
    EXPECT_STREQ(empty.data(), "");

    TableString const with_zero("a\0b", 3);
    EXPECT_EQ(with_zero.size(), 3u);
    EXPECT_NE(with_zero, TableString("a", 1));
    EXPECT_EQ(static_cast<std::string>(with_zero), std::string("a\0b", 3));

    std::ostringstream os;
    os << a;
    EXPECT_EQ(os.str(), "alpha");
}

TEST(TableString, CompareOrdersByCharacters) {
    TableString const abc("abc"), abd("abd"), ab("ab"), high("\xC3\xA9");
    EXPECT_NE(abc, abd);
    EXPECT_LT(abc.compare_(abd), 0);
    EXPECT_GT(abd.compare_(abc), 0);
    EXPECT_LT(ab.compare_(abc), 0);
    EXPECT_GT(abc.compare_(ab), 0);
    EXPECT_GT(high.compare_(abc), 0);  // bytes compare unsigned
}

TEST(HdIdPath, ParsesPrintsAndHashesDottedText) {
    HdIdPath const path("pkg.fcn");
    ASSERT_EQ(path.size(), 2u);
    EXPECT_EQ(path[0], TableString("pkg"));
    EXPECT_EQ(path[1], TableString("fcn"));
    std::ostringstream os;
    os << path << '|' << HdIdPath("f");
    EXPECT_EQ(os.str(), "pkg.fcn|f");

    HdIdPath const built({TableString("pkg"), TableString("fcn")});
    EXPECT_EQ(path, built);
    EXPECT_EQ(kbase::compare(path, built), 0);
    EXPECT_EQ(hash_value(path), hash_value(built));
    EXPECT_NE(hash_value(HdIdPath("a.b")), hash_value(HdIdPath("ab")));
}

TEST(HdIdPath, RejectsEmptyAndInvalidComponents) {
    expect_message([] { HdIdPath("pkg..fcn"); }, "kbase:utility", "InvalidIdentifier", {std::string()});
    expect_message([] { HdIdPath("pkg."); }, "kbase:utility", "InvalidIdentifier", {std::string()});
    expect_message([] { HdIdPath(""); }, "kbase:utility", "InvalidIdentifier", {std::string()});
    expect_message([] { HdIdPath("pkg.1x"); }, "kbase:utility", "InvalidIdentifier", {std::string("1x")});
}

TEST(HdIdPath, ComparesComponentWiseWithPrefixFirst) {
    HdIdPath const a("a"), ab("a.b"), ac("a.c"), b("b"), a_b("a_b");
    EXPECT_LT(kbase::compare(ab, ac), 0);
    EXPECT_GT(kbase::compare(ac, ab), 0);
    EXPECT_LT(kbase::compare(a, ab), 0);
    EXPECT_GT(kbase::compare(ab, a), 0);
    EXPECT_LT(kbase::compare(ac, b), 0);
    EXPECT_LT(kbase::compare(a, a_b), 0);
    EXPECT_TRUE(ab < ac);
    EXPECT_FALSE(ac < ab);
    EXPECT_FALSE(ab < HdIdPath("a.b"));
    EXPECT_NE(ab, a_b);
}

}  // namespace
