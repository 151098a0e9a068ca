#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

using lexicon::BaseMsgID;

kbase::MessageException thrown(BaseMsgID const& id) {
    try {
        throw kbase::MessageException(kbase::Message(id));
    } catch (kbase::MessageException const& e) {
        return e;
    }
}

TEST(Message, FormatsCatalogTextWithArgumentsInSlotOrder) {
    auto const e = thrown(BaseMsgID("tarvex:common:lang:core:types", "InvalidIndex", {std::string("3, 4"), 12L}));
    EXPECT_STREQ(e.what(), "Index 12 is out of range for an array of size 3, 4.");
    EXPECT_EQ(e.message().id().catalog(), "tarvex:common:lang:core:types");
    EXPECT_EQ(e.message().id().key(), "InvalidIndex");
    ASSERT_EQ(e.message().id().arguments().size(), 2u);
    EXPECT_EQ(std::get<long>(e.message().id().arguments()[1]), 12);
}

TEST(Message, WideArgumentsAreWrittenAsUtf8) {
    auto const e = thrown(BaseMsgID("tarvex:common:lang:core:types", "InvalidIndex", {std::u16string(u"3x4\u20ac"), 3L}));
    EXPECT_STREQ(e.what(), "Index 3 is out of range for an array of size 3x4\xe2\x82\xac.");
}

TEST(Message, UnknownKeyStillNamesCatalogKeyAndArguments) {
    kbase::Message const m(BaseMsgID("no:such:catalog", "Missing", {7L, std::string("a, b")}));
    EXPECT_EQ(m.text(), "no:such:catalog/Missing(7, \"a, b\")");
    EXPECT_FALSE(kbase::has_message_text("no:such:catalog", "Missing"));
    EXPECT_TRUE(kbase::has_message_text("tarvex:common:lang:core:ir", "InvalidColon"));
}

TEST(Message, CopiesOfAnExceptionShareOneText) {
    auto const e = thrown(BaseMsgID("tarvex:common:lang:core:index", "EmptyConcatenation", {}));
    kbase::MessageException const copy(e);
    EXPECT_EQ(copy.what(), e.what());
    EXPECT_STREQ(copy.what(), "A concatenation needs at least one operand.");
}

}  // namespace
