// SPDX-License-Identifier: Apache-2.0
// Array: copies share a block until the first write, order and hashes follow
// the shape and then the elements, and the stream and user forms.
#include <lang/core/constants/array.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(Array, CopiesShareTheBlockUntilTheFirstWrite) {
    Array<double> a = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    Array<double> assigned(ArraySize{1});
    auto const allocations = heap::allocations();
    auto const live = heap::live();
    Array<double> copy = a;
    Array<double> const reshaped(ArraySize{3, 2}, a);
    assigned = a;
    Array<int> const empty(ArraySize{0, 3});
    EXPECT_EQ(heap::allocations(), allocations);
    EXPECT_EQ(heap::live(), live - 1);  // the block `assigned` held is gone

    copy.x()[0] = 42;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    *(copy.end() - 1) = 44;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(printed(copy), "[42.0, 3.0, 5.0; 2.0, 4.0, 44.0]");
    EXPECT_EQ(printed(a), "[1.0, 3.0, 5.0; 2.0, 4.0, 6.0]");
    EXPECT_EQ(printed(reshaped), "[1.0, 4.0; 2.0, 5.0; 3.0, 6.0]");

    // An adopted block is copied on the first write even when unshared.
    auto block = Array<int>::alloc(ArraySize{2});
    std::fill(block.get(), block.get() + 2, 7);
    Array<int> adopted(ArraySize{2}, block);
    block.reset();
    adopted.x()[0] = 1;
    adopted.x()[1] = 2;
    EXPECT_EQ(heap::allocations(), allocations + 3);
    EXPECT_EQ(printed(adopted), "[1; 2]");
}

// Constant's generated law checks hold these too; here the particular answers.
TEST(Array, ComparesByShapeThenElementwiseWithTheRealRules) {
    ArraySize const row{1, 2};
    auto const reals = [&](double x, double y) { return make<double>(row, {x, y}); };
    EXPECT_TRUE(reals(nan, 0.0).equal_(reals(-nan, -0.0)));
    EXPECT_EQ(reals(1, nan).compare_(reals(1, 2)), 3);
    EXPECT_EQ(reals(nan, 5).compare_(reals(nan, 3)), 2);
    EXPECT_EQ(reals(9, 9).compare_(make<double>({2, 1}, {0, 0})), 1);
    EXPECT_EQ(make<unsigned long>(row, {~0UL, 0}).compare_(make<unsigned long>(row, {1, 0})), 2);
}

TEST(Array, HashesFollowTheCombineFormula) {
    ArraySize const shape{1, 3};
    EXPECT_EQ(make<int>(shape, {5, -1, 0x7fffffff}).hash(),
              combine(combine(combine(combine(1, hash_value(shape)), 5), ~0ULL), 0x7fffffff));
    EXPECT_EQ(make<double>(shape, {inf, -inf, 1.5}).hash(),
              combine(combine(combine(combine(3, hash_value(shape)), ~0ULL), ~1ULL), 0x3ff8000000000000ULL));
    EXPECT_EQ(make<double>({1}, {nan}).hash(), combine(combine(3, hash_value(ArraySize{1})), ~2ULL));
    EXPECT_EQ(Array<unsigned long>(ArraySize{0}).hash(), combine(2, hash_value(ArraySize{0})));
}

TEST(Array, StreamsNestedBracketsInColumnMajorOrder) {
    EXPECT_EQ(printed(make<int>({2, 2, 2}, {1, 2, 3, 4, 5, 6, 7, 8})), "[[1, 3; 2, 4], [5, 7; 6, 8]]");
    EXPECT_EQ(printed(make<int>({1, 1, 2, 2}, {1, 2, 3, 4})), "[[[1], [2]], [[3], [4]]]");
    EXPECT_EQ(printed(Array<int>({0, 3})), "empty<integer, 0, 3>");
    // Scalars share this element writer.
    EXPECT_EQ(printed(make<double>({1, 11}, {3, -2, 0.5, 1e20, -0.0, nan, inf, -inf, 0.1, 1e-5, 1.0 / 3})),
              "[3.0, -2.0, 0.5, 1e+20, -0.0, nan, inf, -inf, 0.1, 1e-05, 0.3333333333333333]");

    // The worker's multi-index: shorter ones are extended with 0s, one
    // outside the shape names no element, a dimension past it has no index.
    Array<int> const cube = make<int>({2, 2, 2}, {1, 2, 3, 4, 5, 6, 7, 8});
    auto const worker = [&](std::vector<unsigned long> index, unsigned long dim) {
        std::ostringstream os;
        cube.out(os, index, dim);
        return os.str();
    };
    EXPECT_EQ(worker({0, 0, 1}, 1), "[5, 7; 6, 8]");
    EXPECT_EQ(worker({}, 2), "[[1, 3; 2, 4], [5, 7; 6, 8]]");
    EXPECT_EQ(worker({0, 0, 0, 0}, 3), "[[[1, 3; 2, 4], [5, 7; 6, 8]]]");
    expect_message([&] { worker({0, 0, 2}, 1); }, types_catalog, "InvalidIndex", {"2, 2, 2", 8L});
    expect_message([&] { worker({0, 0, 0, 1}, 1); }, types_catalog, "InvalidIndex", {"2, 2, 2", 8L});
    EXPECT_THROW(worker({0, 0, 0}, 3), std::out_of_range);
}

TEST(Array, UserFormIsAShortRowOrTheTypeText) {
    EXPECT_EQ(make<int>({1, 3}, {1, 2, 3}).toUserString(), u"int32([1 2 3])");
    EXPECT_EQ(make<bool>({1, 2}, {true, false}).toUserString(), u"[true false]");
    EXPECT_EQ(make<double>({1, 6}, {1e9, -2.5, 20000, nan, -inf, -0.0}).toUserString(),
              u"[1.0000e+09 -2.5000 20000 NaN -Inf 0]");
    EXPECT_EQ(Array<bool>({0, 0}).toUserString(), u"logical([])");
    EXPECT_EQ(Array<double>({0, 0}).toUserString(), u"[]");
    EXPECT_EQ(Array<double>({3, 1}).toUserString(), u"[3x1 double]");

    // The row text must stay below 40 units: 39 fits, 40 does not.
    Array<int> sevens(ArraySize{1, 19});
    std::fill(sevens.begin(), sevens.end(), 7);
    EXPECT_EQ(sevens.toUserString(), u"int32([7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7])");
    sevens.x()[0] = 10;
    EXPECT_EQ(sevens.toUserString(), u"[1x19 int32]");
}

}  // namespace
}  // namespace lang::core
