// Colon, a compact index column: it expands to the column its type reports,
// prints its parameters, and rejects a start that is not below the stop.
#include <lang/core/constants/colon.hpp>
#include <lang/core/ops/convert.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(Colon, ExpandsToTheColumnItsTypeReports) {
    struct Case {
        Colon colon;
        char const* printed;
        std::vector<unsigned long> values;
    };
    std::vector<Case> const cases = {
        {Colon(0, 3), "colon<0, 1, 3>", {0, 1, 2}},
        {Colon(0, 2, 5), "colon<0, 2, 5>", {0, 2, 4}},
        {Colon(3, 10, 4), "colon<3, 10, 4>", {3}},
        {Colon(18446744073709551610UL, 3, 18446744073709551615UL),
         "colon<18446744073709551610, 3, 18446744073709551615>",
         {18446744073709551610UL, 18446744073709551613UL}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.printed);
        EXPECT_EQ(printed(c.colon), c.printed);
        Array<unsigned long> const a = to_constant(c.colon);
        EXPECT_EQ(array_type(Constant(a)), array_type(c.colon));
        EXPECT_EQ(array_type(c.colon), ArrayType(type::INDEX, ArraySize{c.values.size(), 1}));
        EXPECT_EQ(std::vector<unsigned long>(a.begin(), a.end()), c.values);
    }

    // Start must be below stop.
    constexpr char const* kIr = "tarvex:common:lang:core:ir";
    expect_message([] { Colon(6, 1, 5); }, kIr, "InvalidColon", {6L, 5L});
    expect_message([] { Colon(18446744073709551615UL, 0); }, kIr, "InvalidColon", {-1L, 0L});
}

}  // namespace
}  // namespace lang::core
