// ConstantIterator: an array's elements as constants, in storage order.
#include <lang/core/index/constant_iterator.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(ConstantIterator, VisitsAnArrayInStorageOrderAndOnlyAnArrayHasAnEnd) {
    Constant const matrix = make<int>({2, 3}, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(std::vector<Constant>(matrix.begin(), matrix.end()), (std::vector<Constant>{1, 2, 3, 4, 5, 6}));
    ConstantIterator it = matrix.begin();
    it.advance(4);
    EXPECT_EQ(*--it, Constant(4));
    EXPECT_EQ(std::next(it, 3), matrix.end());
    // Iterators of two equal constants are not interchangeable.
    Constant const copy = matrix;
    EXPECT_NE(copy.begin(), matrix.begin());

    expect_message([] { Constant(Tuple{}).end(); }, constants_catalog, "InvalidArray", {"tuple<>"});
}

}  // namespace
}  // namespace lang::core
