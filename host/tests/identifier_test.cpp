// Identifiers: their characters, ASCII case folding, the interning check,
// and dotted paths.
#include <kbase/hd_id_path.hpp>
#include <kbase/identifier.hpp>
#include <kbase/table_string.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace {

using kbase::HdIdPath;
using kbase::TableString;
using lang::core::test::expect_message;
using namespace std::literals;

TableString check(std::string_view text) { return kbase::detail::HdIdCheck{}(text.data(), text.size()); }

TEST(Identifier, CharactersCaseFoldingTheCheckAndDottedPaths) {
    std::string_view const letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    for (int i = -128; i < 128; ++i) {
        char const c = static_cast<char>(i);
        bool const letter = letters.find(c) != std::string_view::npos;
        EXPECT_EQ(kbase::is_halden_head_id_char(c), letter) << i;
        EXPECT_EQ(kbase::is_halden_tail_id_char(c), letter || (c >= '0' && c <= '9')) << i;
    }
    EXPECT_EQ(kbase::lower("ReAL_9xZ@[\xC3\x84"), "real_9xz@[\xC3\x84");

    // The check returns identifiers interned and rejects everything else.
    EXPECT_EQ(check("x9_Y"), TableString("x9_Y"));
    // Only the given length counts, not a terminating zero.
    EXPECT_EQ(kbase::detail::HdIdCheck{}("abc-def", 3).view(), "abc");
    for (std::string_view text : {""sv, "9lives"sv, "a b"sv, "\xC3\xA9t\xC3\xA9"sv, "ab\0c"sv}) {
        expect_message([&] { check(text); }, "kbase:utility", "InvalidIdentifier", {std::string(text)});
    }

    // Dotted paths parse, print, hash and order component by component.
    HdIdPath const path("pkg.fcn");
    EXPECT_EQ(path, HdIdPath({TableString("pkg"), TableString("fcn")}));
    EXPECT_NE(hash_value(HdIdPath("a.b")), hash_value(HdIdPath("ab")));
    EXPECT_EQ(lang::core::test::printed(path) + '|' + lang::core::test::printed(HdIdPath("f")), "pkg.fcn|f");

    for (auto const& bad : {std::pair{"pkg..fcn", ""}, {"pkg.", ""}, {"", ""}, {"pkg.1x", "1x"}}) {
        expect_message([&] { HdIdPath{bad.first}; }, "kbase:utility", "InvalidIdentifier", {std::string(bad.second)});
    }

    // Component by component, a prefix first.
    for (auto [a, b] : {std::pair{"a.b", "a.c"}, {"a", "a.b"}, {"a", "a_b"}}) {
        EXPECT_LT(kbase::compare(HdIdPath(a), HdIdPath(b)), 0) << a << " vs " << b;
    }
}

}  // namespace
