// Message texts: catalog text with arguments in slot order, and the
// fallback naming a key that has no text.
#include <kbase/message.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using kbase::Message;
using kbase::MessageException;
using lang::core::test::types_catalog;
using lexicon::BaseMsgID;

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

}  // namespace
