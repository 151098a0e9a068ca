#include <lang/core/constants/array.hpp>

#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

namespace lang::core {
namespace {

using heap = groundwork::core::mem::aligned_heap;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

template <class T>
Array<T> make(ArraySize const& size, std::initializer_list<T> elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

std::uint64_t combine(std::uint64_t h, std::uint64_t k) {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995ULL;
    k *= m;
    k ^= k >> 47;
    k *= m;
    return ((h ^ k) * m) + 0xe6546b64ULL;
}

TEST(Array, CopiesShareTheBlockUntilTheFirstWrite) {
    ArraySize const shape{2, 3};
    Array<double> a = make<double>(shape, {1, 2, 3, 4, 5, 6});
    Array<double> assigned(ArraySize{1});
    auto const allocations = heap::allocations();
    auto const live = heap::live();

    Array<double> copy = a;
    Array<double> const reshaped(ArraySize{3, 2}, a);
    assigned = a;
    EXPECT_EQ(heap::allocations(), allocations);
    EXPECT_EQ(heap::live(), live - 1);  // the block `assigned` held is gone
    EXPECT_EQ(std::as_const(copy).x(), std::as_const(a).x());
    EXPECT_EQ(reshaped.x(), std::as_const(a).x());

    copy.x()[0] = 42;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    copy.x()[1] = 43;
    *(copy.end() - 1) = 44;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(test::printed(copy), "[42.0, 3.0, 5.0; 43.0, 4.0, 44.0]");
    EXPECT_EQ(test::printed(a), "[1.0, 3.0, 5.0; 2.0, 4.0, 6.0]");
    EXPECT_EQ(test::printed(reshaped), "[1.0, 4.0; 2.0, 5.0; 3.0, 6.0]");

    // `a` still shares with `assigned` and `reshaped`, so it copies too.
    a.x()[0] = 0;
    EXPECT_EQ(heap::allocations(), allocations + 2);
    EXPECT_EQ(std::as_const(assigned).x()[0], 1.0);
}

TEST(Array, AnAdoptedBlockIsCopiedOnTheFirstWrite) {
    ArraySize const shape{3};
    auto block = Array<int>::alloc(shape);
    std::fill(block.get(), block.get() + 3, 7);
    Array<int> adopted(shape, block);
    block.reset();
    auto const allocations = heap::allocations();
    int const* const before = std::as_const(adopted).x();
    adopted.x()[0] = 1;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_NE(std::as_const(adopted).x(), before);
    adopted.x()[1] = 2;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(test::printed(adopted), "[1; 2; 7]");
}

TEST(Array, EmptyArraysNeverCallTheHeap) {
    auto const allocations = heap::allocations();
    Array<int> empty(ArraySize{0, 3});
    Array<int> copy = empty;
    EXPECT_EQ(copy.x(), nullptr);
    EXPECT_EQ(copy.begin(), copy.end());
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(heap::allocations(), allocations);
    EXPECT_TRUE(copy.equal_(Array<int>(ArraySize{0, 3})));
}

TEST(Array, RealsCompareWithNaNAndSignedZeroRules) {
    ArraySize const one{1};
    Array<double> const nan_a = make<double>(one, {nan});
    Array<double> const nan_b = make<double>(one, {-std::numeric_limits<double>::signaling_NaN()});
    Array<double> const zero = make<double>(one, {0.0});
    Array<double> const negative_zero = make<double>(one, {-0.0});
    EXPECT_TRUE(nan_a.equal_(nan_b));
    EXPECT_EQ(nan_a.compare_(nan_b), 0);
    EXPECT_EQ(nan_a.hash(), nan_b.hash());
    EXPECT_TRUE(zero.equal_(negative_zero));
    EXPECT_EQ(zero.compare_(negative_zero), 0);
    EXPECT_EQ(zero.hash(), negative_zero.hash());
    EXPECT_FALSE(zero.equal_(nan_a));

    ArraySize const row{1, 2};
    EXPECT_EQ(make<double>(row, {1, nan}).compare_(make<double>(row, {1, 2})), 3);
    EXPECT_EQ(make<double>(row, {1, 2}).compare_(make<double>(row, {1, nan})), 3);
    EXPECT_EQ(make<double>(row, {1, 2}).compare_(make<double>(row, {1, 3})), 1);
    EXPECT_EQ(make<double>(row, {nan, 5}).compare_(make<double>(row, {nan, 3})), 2);
    // The shape decides first.
    EXPECT_EQ(make<double>(row, {9, 9}).compare_(make<double>(ArraySize{2, 1}, {0, 0})), 1);
    EXPECT_FALSE(make<double>(row, {1, 2}).equal_(make<double>(ArraySize{2, 1}, {1, 2})));
}

TEST(Array, IntegersOrderBySignednessOfTheirType) {
    ArraySize const row{1, 2};
    EXPECT_EQ(make<int>(row, {-1, 0}).compare_(make<int>(row, {1, 0})), 1);
    EXPECT_EQ(make<unsigned long>(row, {~0UL, 0}).compare_(make<unsigned long>(row, {1, 0})), 2);
    EXPECT_EQ(make<bool>(row, {true, false}).compare_(make<bool>(row, {true, true})), 1);
    EXPECT_TRUE(make<int>(row, {3, -4}).equal_(make<int>(row, {3, -4})));
    EXPECT_FALSE(make<int>(row, {3, -4}).equal_(make<int>(row, {3, 4})));
}

TEST(Array, HashesFollowTheCombineFormula) {
    ArraySize const shape{1, 3};
    std::uint64_t expected = combine(1, hash_value(shape));
    for (std::uint64_t k : {std::uint64_t{5}, ~std::uint64_t{0}, std::uint64_t{0x7fffffff}}) expected = combine(expected, k);
    EXPECT_EQ(make<int>(shape, {5, -1, 0x7fffffff}).hash(), expected);

    expected = combine(3, hash_value(shape));
    for (std::uint64_t k : {~std::uint64_t{0}, ~std::uint64_t{1}, ~std::uint64_t{2}}) expected = combine(expected, k);
    EXPECT_EQ(make<double>(shape, {inf, -inf, nan}).hash(), expected);

    ArraySize const pair{2};
    EXPECT_EQ(make<double>(pair, {1.5, -0.0}).hash(),
              combine(combine(combine(3, hash_value(pair)), 0x3ff8000000000000ULL), 0));
    EXPECT_EQ(make<bool>(pair, {true, false}).hash(), combine(combine(combine(0, hash_value(pair)), 1), 0));
    EXPECT_EQ(Array<unsigned long>(ArraySize{0}).hash(), combine(2, hash_value(ArraySize{0})));
}

TEST(Array, StreamsNestedBracketsInColumnMajorOrder) {
    EXPECT_EQ(test::printed(make<unsigned long>({2, 2}, {1, 3, 2, 4})), "[1i, 2i; 3i, 4i]");
    EXPECT_EQ(test::printed(make<int>({2, 2, 2}, {1, 2, 3, 4, 5, 6, 7, 8})), "[[1, 3; 2, 4], [5, 7; 6, 8]]");
    EXPECT_EQ(test::printed(make<int>({1, 1, 2, 2}, {1, 2, 3, 4})), "[[[1], [2]], [[3], [4]]]");
    EXPECT_EQ(test::printed(make<bool>({1, 2}, {true, false})), "[true, false]");
    EXPECT_EQ(test::printed(Array<int>(ArraySize{0, 3})), "empty<integer, 0, 3>");
    EXPECT_EQ(test::printed(Array<double>(ArraySize{2, 3, 0})), "empty<real, 2, 3, 0>");
    EXPECT_EQ(test::printed(make<double>({1, 11}, {3, -2, 0.5, 1e20, -0.0, nan, inf, -inf, 0.1, 1e-5, 1.0 / 3})),
              "[3.0, -2.0, 0.5, 1e+20, -0.0, nan, inf, -inf, 0.1, 1e-05, 0.3333333333333333]");
}

TEST(Array, UserFormIsARowOrTheTypeText) {
    EXPECT_EQ(make<int>({1, 3}, {1, 2, 3}).toUserString(), u"int32([1 2 3])");
    EXPECT_EQ(make<int>({1}, {-5}).toUserString(), u"int32(-5)");
    EXPECT_EQ(make<unsigned long>({1, 2}, {5, 18446744073709551615UL}).toUserString(),
              u"uint32([5 18446744073709551615])");
    EXPECT_EQ(make<bool>({1, 2}, {true, false}).toUserString(), u"[true false]");
    EXPECT_EQ(make<bool>({1}, {true}).toUserString(), u"true");
    EXPECT_EQ(make<double>({1, 6}, {1e9, -2.5, 20000, nan, -inf, -0.0}).toUserString(),
              u"[1.0000e+09 -2.5000 20000 NaN -Inf 0]");
    EXPECT_EQ(make<double>({1, 2}, {12345.5, 0.5}).toUserString(), u"[1.2346e+04 0.5000]");

    EXPECT_EQ(Array<int>(ArraySize{0, 0}).toUserString(), u"int32([])");
    EXPECT_EQ(Array<bool>(ArraySize{0, 0}).toUserString(), u"logical([])");
    EXPECT_EQ(Array<double>(ArraySize{0, 0}).toUserString(), u"[]");
    EXPECT_EQ(Array<int>(ArraySize{0, 3}).toUserString(), u"[0x3 int32]");
    EXPECT_EQ(Array<int>(ArraySize{0, 0, 2}).toUserString(), u"[0x0x2 int32]");
    EXPECT_EQ(Array<double>(ArraySize{2, 2}).toUserString(), u"[2x2 double]");
    EXPECT_EQ(Array<int>(ArraySize{3, 1}).toUserString(), u"[3x1 int32]");
    EXPECT_EQ(Array<int>(ArraySize{1, 2, 2}).toUserString(), u"[1x2x2 int32]");

    // A row is shown only while its text stays below 40 units.
    Array<int> sevens(ArraySize{1, 19});
    std::fill(sevens.begin(), sevens.end(), 7);
    EXPECT_EQ(sevens.toUserString(), u"int32([7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7])");
    Array<int> forty(ArraySize{1, 19}, sevens);
    forty.x()[0] = 10;
    EXPECT_EQ(forty.toUserString(), u"[1x19 int32]");
    Array<int> thirty(ArraySize{1, 30});
    std::fill(thirty.begin(), thirty.end(), 7);
    EXPECT_EQ(thirty.toUserString(), u"[1x30 int32]");
}

}  // namespace
}  // namespace lang::core
