// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/constants/value_reading.hpp>
#include <lang/core/index/concatenate.hpp>
#include <lang/core/index/subscript.hpp>

#include <lang/core/constants/tuple.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/types/array_type.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace lang::core {
namespace {

using test::constants_catalog, test::types_catalog;

// Each builder against the array written element by element.
TEST(ArrayBuilders, MatchElementByElementConstruction) {
    Array<int> m(ArraySize{2, 3});
    int const rows[2][3] = {{1, 2, 3}, {4, 5, 6}};
    for (unsigned long r = 0; r < 2; ++r)
        for (unsigned long c = 0; c < 3; ++c) m.x()[c * 2 + r] = rows[r][c];
    EXPECT_EQ(Constant(matrix({{1, 2, 3}, {4, 5, 6}})), Constant(m));
    EXPECT_EQ(Constant(matrix<double>({})), Constant(Array<double>(ArraySize{0, 0})));
    EXPECT_EQ(Constant(column({1.5, -2.0})), Constant(test::make<double>(ArraySize{2}, {1.5, -2.0})));

    std::mt19937_64 rng(99);
    for (int trial = 0; trial < 50; ++trial) {
        ArraySize const size{rng() % 4, rng() % 4, 1 + rng() % 2};
        std::vector<unsigned long> values(size.numElements());
        std::vector<Constant> scalars;
        for (auto& v : values) scalars.emplace_back(v = rng());
        Constant const want = test::make(size, values);
        EXPECT_EQ(Constant(array_of(size, values)), want) << size;
        if (!values.empty()) {
            EXPECT_EQ(array_from(size, scalars), want) << size;
        }
        EXPECT_EQ(elements<unsigned long>(want).size(), values.size());
        EXPECT_TRUE(std::equal(values.begin(), values.end(), elements<unsigned long>(want).begin()));
    }
    EXPECT_EQ(scalar_value<double>(Constant(2.5)), 2.5);
}

// Pieces of random lengths along one dimension: each is found again, whole,
// at its offset in the result (subscript has its own reference check).
TEST(ArrayBuilders, ConcatenateKeepsEveryPieceAtItsOffset) {
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 60; ++trial) {
        unsigned long const dim = rng() % 3;
        std::vector<unsigned long> shape{1 + rng() % 3, 1 + rng() % 3, 1 + rng() % 2};
        std::vector<Constant> pieces;
        for (unsigned long j = 0, count = 1 + rng() % 3; j < count; ++j) {
            shape[dim] = rng() % 3;
            std::vector<int> data(shape[0] * shape[1] * shape[2]);
            for (auto& x : data) x = static_cast<int>(rng() % 100);
            // A 1x1 piece may come as a scalar.
            if (data.size() == 1 && rng() % 2) pieces.emplace_back(data[0]);
            else pieces.emplace_back(array_of(ArraySize(std::span<unsigned long const>(shape)), data));
        }
        Constant const got = concatenate(dim, pieces);
        unsigned long offset = 0;
        for (Constant const& piece : pieces) {
            Constant const array = holds_scalar(piece) ? to_array(piece) : piece;
            unsigned long const length = array_type(array).size()(dim);
            std::vector<Subscript> at(3, whole);
            at[dim] = range(offset, offset + length);
            ASSERT_EQ(subscript(got, at), array) << "trial " << trial << " along " << dim << " at " << offset;
            offset += length;
        }
        EXPECT_EQ(array_type(got).size()(dim), offset);
    }
}

TEST(ArrayBuilders, EachWrongInputRaisesTheLibrarysMessage) {
    using test::expect_message;
    expect_message([] { matrix({{1, 2}, {3}}); }, types_catalog, "InconsistentSize", {"1, 2", "1, 1"});
    std::vector<int> const three{1, 2, 3};
    expect_message([&] { array_of(ArraySize{2, 2}, three); }, types_catalog, "InconsistentSize", {"2, 2", "3, 1"});
    Constant const mixed[] = {1, 2.0};
    expect_message([&] { array_from(ArraySize{1, 2}, mixed); }, constants_catalog, "InvalidSet",
                   {"array<integer, 1, 2>", "real"});
    Constant const nested[] = {1, column({2})};
    expect_message([&] { array_from(ArraySize{1, 2}, nested); }, constants_catalog, "InvalidScalarConstant",
                   {"array<integer, 1, 1>"});
    Constant const ints = column({1, 2});
    expect_message([&] { scalar_value<int>(ints); }, constants_catalog, "InvalidScalarConstant",
                   {"array<integer, 2, 1>"});
    expect_message([] { scalar_value<double>(Constant(1)); }, constants_catalog, "InvalidAssign", {"real", "integer"});
    expect_message([] { elements<int>(Constant(1)); }, constants_catalog, "InvalidArray", {"integer"});
    expect_message([&] { elements<double>(ints); }, constants_catalog, "InvalidAssign",
                   {"array<real, 2, 1>", "array<integer, 2, 1>"});
    Constant const tuple[] = {Tuple{1}};
    expect_message([&] { concatenate(0, tuple); }, constants_catalog, "InvalidArray", {"tuple<integer>"});
}

TEST(ArrayBuilders, KindsFollowTheAlternative) {
    for (Constant const& c : test::generated_constants()) {
        int const id = c.id();
        EXPECT_EQ(holds_scalar(c), id < 4) << c;
        EXPECT_EQ(holds_array(c), id >= 4 && id < 8) << c;
        EXPECT_EQ(holds_tuple(c), id == 8) << c;
        type::Id const want = id == 8 ? type::INVALID : array_type(id < 4 ? to_array(c) : c).base();
        EXPECT_EQ(element_type_of(c), want) << c;
    }
}

}  // namespace
}  // namespace lang::core
