// Constants, the list, and Tuple, the value made of one.
#include <lang/core/constants/constants.hpp>

#include "test_support/values.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <variant>

namespace lang::core {
namespace {

using namespace test;

TEST(Constants, MadeElementsAreEmptyTuplesAndSelfAppendDoubles) {
    Constants list(2);
    list.resize(3, 2.5);
    EXPECT_EQ(printed(Tuple(list)), "{{}, {}, 2.5}");

    Constants a{1, 2};
    Constants const b{3.0};
    a += b;
    a += a;
    a += Constants{true};
    EXPECT_EQ(printed(Tuple(a)), "{1, 2, 3.0, 1, 2, 3.0, true}");
    EXPECT_EQ(printed(Tuple(b)), "{3.0}");
}

// The tuple hash and digest checks of Constant cover the combination of
// elements; here the order and the empty list.
TEST(Constants, OrderFollowsTheElementsInOrder) {
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{nan, 0}, Constants{1.0, 9}), 3);
    EXPECT_EQ(hash_value(Constants()), 0u);
}

TEST(Tuple, CopiesShareTheirArraysBlocksUntilTheFirstWrite) {
    using heap = groundwork::core::mem::aligned_heap;
    Tuple const tuple{0.0, Array<unsigned long>(ArraySize{2}), Tuple{false}};
    auto const allocations = heap::allocations();
    Tuple copy = tuple;
    EXPECT_EQ(heap::allocations(), allocations);
    std::get<Array<unsigned long>>(extract(copy, 1).value()).x()[0] = 3;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(printed(copy), "{0.0, [3i; 0i], {false}}");
    EXPECT_EQ(printed(tuple), "{0.0, [0i; 0i], {false}}");
}

}  // namespace
}  // namespace lang::core
