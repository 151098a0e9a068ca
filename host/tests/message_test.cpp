#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

using lexicon::BaseMsgID;

constexpr char const* types = "tarvex:common:lang:core:types";

kbase::MessageException thrown(BaseMsgID const& id) {
    try {
        throw kbase::MessageException(kbase::Message(id));
    } catch (kbase::MessageException const& e) {
        return e;
    }
}

TEST(Message, FormatsCatalogTextWithArgumentsInSlotOrderAndWideTextAsUtf8) {
    auto const e = thrown(BaseMsgID(types, "InvalidIndex", {std::string("3, 4"), 12L}));
    EXPECT_STREQ(e.what(), "Index 12 is out of range for an array of size 3, 4.");
    EXPECT_EQ(e.message().id().key(), "InvalidIndex");
    auto const wide = thrown(BaseMsgID(types, "InvalidIndex", {std::u16string(u"3x4\u20ac"), 3L}));
    EXPECT_STREQ(wide.what(), "Index 3 is out of range for an array of size 3x4\xe2\x82\xac.");
    kbase::MessageException const copy(e);
    EXPECT_EQ(copy.what(), e.what());  // copies share one text
}

TEST(Message, UnknownKeyStillNamesCatalogKeyAndArguments) {
    kbase::Message const m(BaseMsgID("no:such:catalog", "Missing", {7L, std::string("a, b")}));
    EXPECT_EQ(m.text(), "no:such:catalog/Missing(7, \"a, b\")");
    EXPECT_FALSE(kbase::has_message_text("no:such:catalog", "Missing"));
    EXPECT_TRUE(kbase::has_message_text("tarvex:common:lang:core:ir", "InvalidColon"));
}

}  // namespace
