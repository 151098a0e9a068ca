// SPDX-License-Identifier: Apache-2.0
// The kbase stand-ins: identifiers (their characters, ASCII case folding,
// the interning check and dotted paths), message texts (catalog text with
// arguments in slot order, and the fallback naming a key that has no text),
// and shared vectors, whose copies share one block until the first write.
#include <kbase/hd_id_path.hpp>
#include <kbase/identifier.hpp>
#include <kbase/message.hpp>
#include <kbase/shared_vector.hpp>
#include <kbase/table_string.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using kbase::HdIdPath;
using kbase::Message;
using kbase::MessageException;
using kbase::TableString;
using lang::core::test::expect_message;
using lang::core::test::printed;
using lang::core::test::types_catalog;
using lexicon::BaseMsgID;
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
    EXPECT_EQ(printed(path) + '|' + printed(HdIdPath("f")), "pkg.fcn|f");

    for (auto const& bad : {std::pair{"pkg..fcn", ""}, {"pkg.", ""}, {"", ""}, {"pkg.1x", "1x"}}) {
        expect_message([&] { HdIdPath{bad.first}; }, "kbase:utility", "InvalidIdentifier", {std::string(bad.second)});
    }

    // Component by component, a prefix first.
    for (auto [a, b] : {std::pair{"a.b", "a.c"}, {"a", "a.b"}, {"a", "a_b"}}) {
        EXPECT_LT(kbase::compare(HdIdPath(a), HdIdPath(b)), 0) << a << " vs " << b;
    }
}

TEST(Message, FormatsCatalogTextWithArgumentsInSlotOrderOrNamesAKeyWithoutText) {
    MessageException const e(Message(BaseMsgID(types_catalog, "InvalidIndex", {std::string("3, 4"), 12L})));
    EXPECT_STREQ(e.what(), "Index 12 is out of range for an array of size 3, 4.");
    MessageException const wide(Message(BaseMsgID(types_catalog, "InvalidIndex", {std::u16string(u"3x4\u20ac"), 3L})));
    EXPECT_STREQ(wide.what(), "Index 3 is out of range for an array of size 3x4\xe2\x82\xac.");
    EXPECT_EQ(MessageException(e).what(), e.what());  // copies share one text

    // A key without text still names its catalog, key and arguments; which
    // keys have text, the message-id tests check key by key.
    Message const m(BaseMsgID("no:such:catalog", "Missing", {7L, std::string("a, b")}));
    EXPECT_EQ(m.text(), "no:such:catalog/Missing(7, \"a, b\")");
    EXPECT_FALSE(kbase::has_message_text("no:such:catalog", "Missing"));
}

std::vector<int> values(kbase::SharedVector<int> const& v) { return {v.begin(), v.end()}; }

TEST(SharedVector, CopiesShareUntilTheFirstWrite) {
    kbase::SharedVector<int> v(1);
    v.push_back(2);
    kbase::SharedVector<int> w = v;
    EXPECT_TRUE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 2u);

    w.push_back(3);
    EXPECT_EQ(v.use_count(), 1u);
    EXPECT_EQ(values(v), (std::vector<int>{1, 2}));
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3}));

    // Unshared with room: written in place.
    int const* before = w.begin();
    ASSERT_GT(w.capacity(), w.size());
    w.push_back(4);
    EXPECT_EQ(w.begin(), before);

    // Appending to itself from a full block: the source is the block being replaced.
    kbase::SharedVector<int> full(1);
    full.push_back(2);
    ASSERT_EQ(full.capacity(), full.size());
    full.append(full);
    full.push_back(full[0]);
    EXPECT_EQ(values(full), (std::vector<int>{1, 2, 1, 2, 1}));
}

}  // namespace
