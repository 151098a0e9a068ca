#include <lang/core/types/message_ids.hpp>

#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

namespace msg = tarvex::common::lang::core;

// Every identifier the library can raise must have a catalog text whose
// placeholders are exactly its argument slots.
template <class Id>
void expect_catalog_text() {
    SCOPED_TRACE(std::string(Id::catalog_name) + " " + Id::key_name);
    lexicon::BaseMsgID const probe(Id::catalog_name, Id::key_name, {});
    ASSERT_TRUE(kbase::has_message_text(Id::catalog_name, Id::key_name));
    std::string const text = kbase::Message(probe).text();
    std::set<std::size_t> slots;
    std::regex const placeholder(R"(\{(\d+)\})");
    for (std::sregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it) {
        slots.insert(std::stoul((*it)[1].str()));
    }
    std::set<std::size_t> expected;
    for (std::size_t slot = 1; slot <= Id::arity; ++slot) expected.insert(slot);
    EXPECT_EQ(slots, expected) << text;
}

TEST(MessageIds, EveryKeyHasACatalogTextUsingEachArgument) {
#define LANGCORE_CHECK_TEXT(catalog, key, ...) expect_catalog_text<msg::catalog::key>();
    LANGCORE_MESSAGE_IDS(LANGCORE_CHECK_TEXT)
#undef LANGCORE_CHECK_TEXT
}

TEST(MessageIds, StoresArgumentsInSlotOrderWithTheirKinds) {
    msg::constants::InvalidTupleAccess const access(5L, std::string("tuple<real, logical>"));
    EXPECT_EQ(access.catalog(), "tarvex:common:lang:core:constants");
    EXPECT_EQ(access.key(), "InvalidTupleAccess");
    ASSERT_EQ(access.arguments().size(), 2u);
    EXPECT_EQ(std::get<0>(access.arguments()[0]), 5);
    EXPECT_EQ(std::get<1>(access.arguments()[1]), "tuple<real, logical>");

    // The same key takes narrow or UTF-16 text in the same slot.
    msg::types::InvalidIndex const narrow(std::string("3, 4"), 3L);
    msg::types::InvalidIndex const wide(std::u16string(u"3x4"), 3L);
    EXPECT_EQ(narrow.arguments()[0].index(), 1u);
    EXPECT_EQ(wide.arguments()[0].index(), 2u);
    EXPECT_EQ(std::get<2>(wide.arguments()[0]), u"3x4");

    msg::types::EmptyFunctionType const none;
    EXPECT_TRUE(none.arguments().empty());
    EXPECT_EQ(msg::ir::InvalidColon(4L, 2L).catalog(), "tarvex:common:lang:core:ir");
}

}  // namespace
