// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/expression_errors.hpp>

#include "test_support/expect_message.hpp"

#include <boost/numeric/conversion/cast.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using lang::core::test::expect_message;
namespace op = lang::core::op;

constexpr char const* ir = "tarvex:common:lang:core:ir";
constexpr unsigned long largest_count = std::numeric_limits<long>::max();

TEST(ExpressionErrors, CarryIrMessagesWithTheirCounts) {
    expect_message([] { throw lang::core::InvalidExpressions1(); }, ir, "InvalidExpressions1", {});
    expect_message([] { throw lang::core::InvalidExpressionsN(3, 2); }, ir, "InvalidExpressionsN", {3L, 2L});
    expect_message([] { throw lang::core::InvalidExpressionsN(largest_count, 0); }, ir, "InvalidExpressionsN",
                   {std::numeric_limits<long>::max(), 0L});
    expect_message([] { throw lang::core::InvalidOpArity(op::TRANSPOSE, 0); }, ir, "InvalidOpArity",
                   {std::string("transpose"), 0L, 1L});
    EXPECT_STREQ(lang::core::InvalidOpArity(op::MTIMES, 1).what(), "Operator mtimes was given 1 operands; it takes 2.");

    // Counts beyond the signed range cannot be reported.
    using boost::numeric::positive_overflow;
    EXPECT_THROW(lang::core::InvalidExpressionsN(largest_count + 1, 1), positive_overflow);
    EXPECT_THROW(lang::core::InvalidExpressionsN(1, largest_count + 1), positive_overflow);
    EXPECT_THROW(lang::core::InvalidOpArity(op::PLUS, std::numeric_limits<unsigned long>::max()), positive_overflow);
}

}  // namespace
