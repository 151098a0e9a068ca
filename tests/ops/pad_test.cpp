// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/pad.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(Pad, SharesAtTheSameLengthAndRaisesForMismatches) {
    Constant const a = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    ScalarConstant const nine(Scalar<double>{9.0});
    EXPECT_EQ(pad(a, 0, 4, nine), make<double>({4, 3}, {1, 2, 9, 9, 3, 4, 9, 9, 5, 6, 9, 9}));
    Array<double> const& stored = std::get<Array<double>>(a.value());
    Array<double> const same = stored.pad(1, 3, 0.0);
    EXPECT_EQ(same.x(), stored.x());

    expect_message([&] { pad(a, 1, 5, ScalarConstant(Scalar<int>{0})); }, constants_catalog, "TypeMismatchForPad",
                   {"real", "integer"});
    expect_message([&] { pad(1.0, 0, 2, nine); }, constants_catalog, "InvalidArray", {"real"});
    expect_message([&] { pad(Tuple{1}, 0, 2, ScalarConstant()); }, constants_catalog, "InvalidArray",
                   {"tuple<integer>"});
}

// Grown position p lies at p / before % grown along dim; the source of a kept
// one is the same position with the source's length n.
template <class T>
void check_round_trip(std::mt19937_64& rng) {
    std::vector<unsigned long> lengths(rng() % 3 + 2);
    for (auto& l : lengths) l = rng() % 4;
    ArraySize const s(lengths.data(), lengths.size());
    std::vector<T> in(s.numElements());
    for (unsigned long i = 0; i < in.size(); ++i) in[i] = static_cast<T>(i % 2 == 0 ? i + 1 : 0);
    Array<T> const a = make(s, in);
    unsigned long const dim = rng() % (lengths.size() + 2), n = s(dim), grown = n + rng() % 3 + 1;
    unsigned long before = 1;
    for (unsigned long i = 0; i < std::min(dim, lengths.size()); ++i) before *= lengths[i];
    SCOPED_TRACE(printed(a) + " along " + std::to_string(dim) + " to " + std::to_string(grown));

    Array<T> const big = a.pad(dim, grown, T(7));
    ArraySize expected_size = s;
    expected_size.replace(dim, grown);
    ASSERT_EQ(big.size(), expected_size);
    for (unsigned long p = 0; p < expected_size.numElements(); ++p) {
        unsigned long const along = p / before % grown;
        EXPECT_EQ(big.x()[p], along < n ? in[p % before + before * (along + n * (p / before / grown))] : T(7))
            << "at " << p;
    }
    // Shrinking keeps the leading block: back to the original.
    Array<T> const back = big.pad(dim, n, T(7));
    EXPECT_TRUE(back.equal_(a)) << printed(back);
}

TEST(Pad, GrowingThenShrinkingGivesTheOriginal) {
    std::mt19937_64 rng(20240611);
    for (int round = 0; round < 200; ++round) {
        check_round_trip<bool>(rng);
        check_round_trip<int>(rng);
        check_round_trip<unsigned long>(rng);
        check_round_trip<double>(rng);
    }
}

// Nothing is visited along an empty dimension, however long the others are:
// growing or cutting such an array only changes its shape, at once.
TEST(Pad, EmptyArraysTakeAnyLengthAtOnce) {
    unsigned long const huge = 1UL << 60;
    Array<double> const narrow(ArraySize{0, 3});
    EXPECT_EQ(narrow.pad(1, huge, 1.0).size(), (ArraySize{0, huge}));
    Array<int> const wide(ArraySize{0, huge});
    EXPECT_EQ(wide.pad(1, huge / 2, 0).size(), (ArraySize{0, huge / 2}));
    EXPECT_EQ(wide.pad(2, 5, 0).size(), (ArraySize{0, huge, 5}));
}

}  // namespace
}  // namespace lang::core
