#include <lang/core/text/assert_type.hpp>

#include <boost/optional/optional_io.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using lang::core::AssertType;

std::string printed(AssertType severity) {
    std::ostringstream os;
    os << severity;
    return os.str();
}

TEST(AssertType, ValuesNamesPrintingAndParsing) {
    auto const& values = lang::core::assert_types();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_TRUE(values[0] == AssertType::ERROR && values[1] == AssertType::WARNING);
    EXPECT_EQ(printed(AssertType::ERROR) + printed(AssertType::WARNING), "ERRORWARNING");
    EXPECT_EQ(lang::core::to_ustring(AssertType::ERROR) + lang::core::to_ustring(AssertType::WARNING), u"ERRORWARNING");
    EXPECT_EQ(lang::core::to_assert_type(u"WARNING"), AssertType::WARNING);
    EXPECT_THROW(lang::core::to_ustring(static_cast<AssertType>(2)), std::out_of_range);
    EXPECT_THROW(printed(static_cast<AssertType>(-1)), std::out_of_range);
    for (std::u16string text : {u"warning", u"ERROR ", u"ERRO", u""}) EXPECT_FALSE(lang::core::to_assert_type(text));
    EXPECT_FALSE(lang::core::to_assert_type(std::u16string(u"ERROR\0", 6)));
}

}  // namespace
