#include <lang/core/types/type.hpp>
#include <lang/core/types/types.hpp>

#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

namespace lang::core {
namespace {

Type const real = ScalarType(type::REAL);
Type const logical = ScalarType(type::LOGICAL);

TEST(Types, PrintsInParentheses) {
    EXPECT_EQ(test::printed(Types()), "()");
    EXPECT_EQ(test::printed(real + logical), "(real, logical)");
}

TEST(Types, AppendingToASharedListLeavesTheOtherOwnersAlone) {
    Types a = real + logical;
    Types const b = a;
    EXPECT_TRUE(a.shares_block_with(b));
    a += real;
    EXPECT_EQ(test::printed(a), "(real, logical, real)");
    EXPECT_EQ(test::printed(b), "(real, logical)");
    EXPECT_FALSE(a.shares_block_with(b));

    Types c = b + b;
    EXPECT_EQ(test::printed(c), "(real, logical, real, logical)");
    c += c;
    EXPECT_EQ(c.size(), 8u);
    EXPECT_EQ(c[7], logical);
    c += c[0];
    EXPECT_EQ(c.back(), real);
}

TEST(Types, EmptyListsAllocateNothing) {
    Types empty;
    empty += Types();
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.capacity(), 0u);
    Types one;
    one += real;
    EXPECT_GE(one.capacity(), 1u);
}

TEST(Types, CompareLexicographically) {
    test::expect_consistent_relations(std::vector<Types>{
        Types(), Types(real), real + logical, logical + real, Types(real) + Types(real), real + logical});
    EXPECT_EQ(compare(Types(real), real + logical), 1);
    EXPECT_EQ(compare(Types(), Types()), 0);
}

}  // namespace
}  // namespace lang::core
