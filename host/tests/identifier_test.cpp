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

TEST(Identifier, CharactersAndCaseFoldingAreAsciiOnly) {
    std::string_view const letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    std::string_view const digits = "0123456789";
    for (int i = -128; i < 128; ++i) {
        char const c = static_cast<char>(i);
        bool const letter = letters.find(c) != std::string_view::npos;
        bool const digit = digits.find(c) != std::string_view::npos;
        EXPECT_EQ(kbase::is_halden_head_id_char(c), letter) << i;
        EXPECT_EQ(kbase::is_halden_tail_id_char(c), letter || digit) << i;
    }
    EXPECT_EQ(kbase::lower("ReAL_9xZ@["), "real_9xz@[");
    EXPECT_EQ(kbase::lower("\xC3\x84n"), "\xC3\x84n");  // UTF-8 bytes pass through
}

TEST(HdIdCheck, ReturnsIdentifiersInternedAndRejectsEverythingElse) {
    for (std::string_view name : {"real", "_", "x9_Y"}) EXPECT_EQ(check(name), TableString(name));
    // Only the given length counts, not a terminating zero.
    EXPECT_EQ(kbase::detail::HdIdCheck{}("abc-def", 3).view(), "abc");
    for (std::string_view text : {"", "9lives", "a-b", "a b", " a", "\xC3\xA9t\xC3\xA9"}) {
        expect_message([&] { check(text); }, "kbase:utility", "InvalidIdentifier", {std::string(text)});
    }
    expect_message([&] { check(std::string_view("ab\0c", 4)); }, "kbase:utility", "InvalidIdentifier",
                   {std::string("ab\0c", 4)});
}

// Interning itself is proved by table_string_concurrency_test.cpp.
TEST(TableString, KeepsZerosAndOrdersByUnsignedBytes) {
    TableString const with_zero("a\0b", 3);
    EXPECT_NE(with_zero, TableString("a", 1));
    EXPECT_EQ(static_cast<std::string>(with_zero), std::string("a\0b", 3));
    EXPECT_STREQ(TableString().data(), "");
    EXPECT_EQ(std::hash<TableString>{}(with_zero), with_zero.hash());
    TableString const abc("abc"), abd("abd"), ab("ab"), high("\xC3\xA9");
    EXPECT_LT(abc.compare_(abd), 0);
    EXPECT_GT(abd.compare_(abc), 0);
    EXPECT_LT(ab.compare_(abc), 0);
    EXPECT_GT(high.compare_(abc), 0);
}

TEST(HdIdPath, ParsesPrintsHashesAndOrdersDottedText) {
    HdIdPath const path("pkg.fcn");
    HdIdPath const built({TableString("pkg"), TableString("fcn")});
    EXPECT_EQ(path, built);
    EXPECT_EQ(hash_value(path), hash_value(built));
    EXPECT_NE(hash_value(HdIdPath("a.b")), hash_value(HdIdPath("ab")));
    std::ostringstream os;
    os << path << '|' << HdIdPath("f");
    EXPECT_EQ(os.str(), "pkg.fcn|f");

    for (char const* text : {"pkg..fcn", "pkg.", ""}) {
        expect_message([&] { HdIdPath{text}; }, "kbase:utility", "InvalidIdentifier", {std::string()});
    }
    expect_message([] { HdIdPath("pkg.1x"); }, "kbase:utility", "InvalidIdentifier", {"1x"});

    HdIdPath const a("a"), ab("a.b"), ac("a.c"), b("b"), a_b("a_b");
    EXPECT_LT(kbase::compare(ab, ac), 0);
    EXPECT_GT(kbase::compare(ac, ab), 0);
    EXPECT_LT(kbase::compare(a, ab), 0);
    EXPECT_LT(kbase::compare(ac, b), 0);
    EXPECT_LT(kbase::compare(a, a_b), 0);
    EXPECT_TRUE(ab < ac && !(ac < ab) && !(ab < HdIdPath("a.b")));
}

}  // namespace
