#include <lang/core/types/message_ids.hpp>

#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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
    for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
        std::string const inside = text.substr(open + 1, text.find('}', open) - open - 1);
        if (!inside.empty() && inside.find_first_not_of("0123456789") == std::string::npos) {
            slots.insert(std::stoul(inside));
        }
    }
    std::set<std::size_t> expected;
    for (std::size_t slot = 1; slot <= Id::arity; ++slot) expected.insert(slot);
    EXPECT_EQ(slots, expected) << text;
}

TEST(MessageIds, EveryKeyHasACatalogTextUsingEachArgument) {
#define LANGCORE_CHECK_TEXT(catalog, key, ...) expect_catalog_text<msg::catalog::key>();
    LANGCORE_MESSAGE_IDS(LANGCORE_CHECK_TEXT, LANGCORE_CHECK_TEXT)
#undef LANGCORE_CHECK_TEXT
}

// Text arguments of each string type land in their slots as narrow or UTF-16
// text; integers stay integers. The catalog files are the host's to find.
TEST(MessageIds, StoreEachStringTypeInItsSlot) {
    using Arguments = std::vector<lexicon::MsgArgument>;
    std::string const size = "2, 3";
    EXPECT_EQ(msg::types::InvalidIndex(size, 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(size.c_str(), 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(std::u16string(u"2x3"), 7L).arguments(), (Arguments{u"2x3", 7L}));
    msg::index::InvalidConcatenation const id(1L, "2, 3", "3, 3");
    EXPECT_EQ(id.catalog(), std::string("tarvex:common:lang:core:index"));
    EXPECT_EQ(id.key(), std::string("InvalidConcatenation"));
    EXPECT_EQ(lang::core::catalog_extension, ".tvmsg");
}

}  // namespace
