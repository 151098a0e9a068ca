#include <lang/core/index/constant_iterator.hpp>

#include "test_support/values.hpp"
#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::make;

TEST(ConstantIterator, VisitsAnArrayInStorageOrder) {
    Constant const matrix = make<int>({2, 3}, {1, 2, 3, 4, 5, 6});
    std::vector<Constant> const visited(matrix.begin(), matrix.end());
    EXPECT_EQ(visited, (std::vector<Constant>{1, 2, 3, 4, 5, 6}));

    ConstantIterator it = matrix.begin();
    it.advance(4);
    EXPECT_EQ(*it, Constant(5));
    --it;
    EXPECT_EQ(*it, Constant(4));
    EXPECT_EQ(std::next(it, 3), matrix.end());

    // Iterators of two equal constants are not interchangeable.
    Constant const copy = matrix;
    EXPECT_NE(copy.begin(), matrix.begin());
    Constant const none = Array<double>(ArraySize{0, 3});
    EXPECT_EQ(none.begin(), none.end());
}

TEST(ConstantIterator, OnlyAnArrayHasAnEnd) {
    char const* catalog = "tarvex:common:lang:core:constants";
    test::expect_message([] { Constant(1).end(); }, catalog, "InvalidArray", {std::string("integer")});
    test::expect_message([] { Constant(Tuple{}).end(); }, catalog, "InvalidArray", {std::string("tuple<>")});
}

}  // namespace
}  // namespace lang::core
