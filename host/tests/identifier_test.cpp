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
    for (int i = -128; i < 128; ++i) {
        char const c = static_cast<char>(i);
        bool const letter = letters.find(c) != std::string_view::npos;
        EXPECT_EQ(kbase::is_halden_head_id_char(c), letter) << i;
        EXPECT_EQ(kbase::is_halden_tail_id_char(c), letter || (c >= '0' && c <= '9')) << i;
    }
    EXPECT_EQ(kbase::lower("ReAL_9xZ@[\xC3\x84"), "real_9xz@[\xC3\x84");
}

TEST(HdIdCheck, ReturnsIdentifiersInternedAndRejectsEverythingElse) {
    for (std::string_view name : {"real", "_", "x9_Y"}) EXPECT_EQ(check(name), TableString(name));
    // Only the given length counts, not a terminating zero.
    EXPECT_EQ(kbase::detail::HdIdCheck{}("abc-def", 3).view(), "abc");
    for (std::string_view text : {std::string_view(""), std::string_view("9lives"), std::string_view("a b"),
                                  std::string_view("\xC3\xA9t\xC3\xA9"), std::string_view("ab\0c", 4)}) {
        expect_message([&] { check(text); }, "kbase:utility", "InvalidIdentifier", {std::string(text)});
    }
}

TEST(HdIdPath, ParsesPrintsHashesAndOrdersDottedText) {
    HdIdPath const path("pkg.fcn");
    EXPECT_EQ(path, HdIdPath({TableString("pkg"), TableString("fcn")}));
    EXPECT_NE(hash_value(HdIdPath("a.b")), hash_value(HdIdPath("ab")));
    std::ostringstream os;
    os << path << '|' << HdIdPath("f");
    EXPECT_EQ(os.str(), "pkg.fcn|f");

    for (char const* text : {"pkg..fcn", "pkg.", ""}) {
        expect_message([&] { HdIdPath{text}; }, "kbase:utility", "InvalidIdentifier", {std::string()});
    }
    expect_message([] { HdIdPath("pkg.1x"); }, "kbase:utility", "InvalidIdentifier", {"1x"});

    // Component by component, a prefix first.
    EXPECT_LT(kbase::compare(HdIdPath("a.b"), HdIdPath("a.c")), 0);
    EXPECT_LT(kbase::compare(HdIdPath("a"), HdIdPath("a.b")), 0);
    EXPECT_LT(kbase::compare(HdIdPath("a"), HdIdPath("a_b")), 0);
}

}  // namespace
