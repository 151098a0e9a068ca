// Assertion severities: their list, names, printing and parsing.
#include <lang/core/text/assert_type.hpp>

#include "test_support/value_laws.hpp"

#include <boost/optional/optional_io.hpp>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::printed;
using namespace std::literals;

TEST(AssertType, ValuesNamesPrintingAndParsing) {
    EXPECT_EQ(assert_types(), (std::vector<AssertType>{AssertType::ERROR, AssertType::WARNING}));
    EXPECT_EQ(printed(AssertType::ERROR) + printed(AssertType::WARNING), "ERRORWARNING");
    EXPECT_EQ(to_ustring(AssertType::ERROR) + to_ustring(AssertType::WARNING), u"ERRORWARNING");
    EXPECT_EQ(to_assert_type(u"WARNING"), AssertType::WARNING);
    EXPECT_THROW(to_ustring(static_cast<AssertType>(2)), std::out_of_range);
    EXPECT_THROW(printed(static_cast<AssertType>(-1)), std::out_of_range);
    for (auto const& text : {u"warning"s, u"ERROR "s, u"ERRO"s, u""s, u"ERROR\0"s}) EXPECT_FALSE(to_assert_type(text));
}

}  // namespace
}  // namespace lang::core
