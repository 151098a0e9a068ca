#include <lang/core/ops/pad.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

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

// Positions are checked against a reference written with multi-indices.
template <class T>
void check_round_trip(std::mt19937_64& rng) {
    std::uniform_int_distribution<unsigned long> dims(2, 4), len(0, 3), extra(1, 3);
    std::vector<unsigned long> lengths(dims(rng));
    for (auto& l : lengths) l = len(rng);
    ArraySize const s(lengths.data(), lengths.size());
    Array<T> a(s);
    for (unsigned long i = 0; i < s.numElements(); ++i) a.x()[i] = static_cast<T>(i % 2 == 0 ? i + 1 : 0);
    unsigned long const dim = std::uniform_int_distribution<unsigned long>(0, lengths.size() + 1)(rng);
    unsigned long const n = s(dim);
    unsigned long const grown = n + extra(rng);
    T const fill = static_cast<T>(7);
    SCOPED_TRACE(printed(a) + " along " + std::to_string(dim) + " to " + std::to_string(grown));

    Array<T> const big = a.pad(dim, grown, fill);
    ArraySize expected_size = s;
    expected_size.replace(dim, grown);
    ASSERT_EQ(big.size(), expected_size);
    std::vector<unsigned long> const m = big.size().multipliers();
    std::vector<unsigned long> const src = s.multipliers();
    for (unsigned long p = 0; p < big.size().numElements(); ++p) {
        // Split p into its index along `dim` and the source position of the rest.
        unsigned long const along = dim < m.size() - 1 ? p / m[dim] % big.size()(dim) : 0;
        unsigned long rest = p, source = 0;
        for (unsigned long d = big.size().size(); d-- > 0;) {
            source += rest / m[d] * (d < src.size() - 1 ? src[d] : 0);
            rest %= m[d];
        }
        EXPECT_EQ(big.x()[p], along < n ? a.x()[source] : fill) << "at " << p;
    }
    // Shrinking keeps the leading block: back to the original.
    Array<T> const back = big.pad(dim, n, fill);
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
