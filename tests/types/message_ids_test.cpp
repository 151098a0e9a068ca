// SPDX-License-Identifier: Apache-2.0
// Message ids: every key has a catalog text with a slot for each argument,
// and arguments keep their string types.
#include <lang/core/types/message_ids.hpp>

#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace lang::core {
namespace {

namespace msg = ::tarvex::common::lang::core;

// Every identifier the library can raise must have a catalog text whose
// placeholders are exactly its argument slots.
template <class Id>
void expect_catalog_text() {
    SCOPED_TRACE(std::string(Id::catalog_name) + " " + Id::key_name);
    ASSERT_TRUE(kbase::has_message_text(Id::catalog_name, Id::key_name));
    std::string const text = kbase::Message(lexicon::BaseMsgID(Id::catalog_name, Id::key_name, {})).text();
    std::set<std::size_t> slots;
    std::regex const slot("\\{([0-9]+)\\}");
    for (std::sregex_iterator i(text.begin(), text.end(), slot), end; i != end; ++i) slots.insert(std::stoul((*i)[1]));
    std::set<std::size_t> expected;
    for (std::size_t slot = 1; slot <= Id::arity; ++slot) expected.insert(slot);
    EXPECT_EQ(slots, expected) << text;
}

TEST(MessageIds, EveryKeyHasACatalogTextUsingEachArgumentInItsSlot) {
#define LANGCORE_CHECK_TEXT(catalog, key, ...) expect_catalog_text<msg::catalog::key>();
    LANGCORE_MESSAGE_IDS(LANGCORE_CHECK_TEXT, LANGCORE_CHECK_TEXT)
#undef LANGCORE_CHECK_TEXT

    // Text arguments of each string type land in their slots as narrow or
    // UTF-16 text; integers stay integers. The catalog files are the host's.
    using Arguments = std::vector<lexicon::MsgArgument>;
    std::string const size = "2, 3";
    EXPECT_EQ(msg::types::InvalidIndex(size, 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(size.c_str(), 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(std::u16string(u"2x3"), 7L).arguments(), (Arguments{u"2x3", 7L}));
    EXPECT_EQ(catalog_extension, ".tvmsg");
}

}  // namespace
}  // namespace lang::core
