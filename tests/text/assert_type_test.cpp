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

TEST(AssertType, ValuesNamesAndPrinting) {
    auto const& values = lang::core::assert_types();
    EXPECT_EQ(&values, &lang::core::assert_types());
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(static_cast<int>(values[0]), 0);
    EXPECT_EQ(static_cast<int>(values[1]), 1);

    EXPECT_EQ(lang::core::to_ustring(AssertType::ERROR), u"ERROR");
    EXPECT_EQ(lang::core::to_ustring(AssertType::WARNING), u"WARNING");
    EXPECT_EQ(printed(AssertType::ERROR), "ERROR");
    EXPECT_EQ(printed(AssertType::WARNING), "WARNING");

    EXPECT_THROW(lang::core::to_ustring(static_cast<AssertType>(2)), std::out_of_range);
    EXPECT_THROW(printed(static_cast<AssertType>(-1)), std::out_of_range);
}

TEST(AssertType, ParsesOnlyExactNames) {
    EXPECT_EQ(lang::core::to_assert_type(u"WARNING"), AssertType::WARNING);
    EXPECT_EQ(lang::core::to_assert_type(u"ERROR"), AssertType::ERROR);
    EXPECT_FALSE(lang::core::to_assert_type(u"warning"));
    EXPECT_FALSE(lang::core::to_assert_type(u"ERROR "));
    EXPECT_FALSE(lang::core::to_assert_type(u"ERRO"));
    EXPECT_FALSE(lang::core::to_assert_type(u""));
    EXPECT_FALSE(lang::core::to_assert_type(std::u16string(u"ERROR\0", 6)));
}

}  // namespace
