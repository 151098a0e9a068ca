// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/constants/value_reading.hpp>
#include <lang/core/index/concatenate.hpp>

#include <lang/core/constants/tuple.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/types/array_type.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lang::core {
namespace {

using test::constants_catalog, test::types_catalog;

// Each builder against the array written element by element, the readers
// against the elements written, and the kinds every alternative reports.
TEST(ArrayBuilders, MatchElementByElementConstructionAndReadBack) {
    Array<int> m(ArraySize{2, 3});
    int const rows[2][3] = {{1, 2, 3}, {4, 5, 6}};
    for (unsigned long r = 0; r < 2; ++r)
        for (unsigned long c = 0; c < 3; ++c) m.x()[c * 2 + r] = rows[r][c];
    EXPECT_EQ(Constant(matrix({{1, 2, 3}, {4, 5, 6}})), Constant(m));
    EXPECT_EQ(Constant(matrix<double>({})), Constant(Array<double>(ArraySize{0, 0})));
    EXPECT_EQ(Constant(column({1.5, -2.0})), Constant(test::make<double>(ArraySize{2}, {1.5, -2.0})));

    for (ArraySize const& size : {ArraySize{0, 3}, ArraySize{2, 1, 2}}) {
        std::vector<unsigned long> values(size.numElements());
        std::vector<Constant> scalars;
        for (auto& v : values) scalars.emplace_back(v = ~0UL - scalars.size());
        Constant const want = test::make(size, values);
        EXPECT_EQ(Constant(array_of(size, values)), want) << size;
        if (!values.empty()) {
            EXPECT_EQ(array_from(size, scalars), want) << size;
        }
        EXPECT_TRUE(std::ranges::equal(values, elements<unsigned long>(want))) << size;
    }
    EXPECT_EQ(scalar_value<double>(Constant(2.5)), 2.5);

    for (Constant const& c : test::generated_constants()) {
        int const id = c.id();
        EXPECT_EQ(holds_scalar(c) + 2 * holds_array(c) + 4 * holds_tuple(c), id < 4 ? 1 : id < 8 ? 2 : 4) << c;
        type::Id const want = id == 8 ? type::INVALID : array_type(id < 4 ? to_array(c) : c).base();
        EXPECT_EQ(element_type_of(c), want) << c;
    }
}

// Pieces along each dimension, scalars and empty pieces among them, against
// the result written out (the plan itself has its own reference check).
TEST(ArrayBuilders, ConcatenateKeepsEveryPieceInOrder) {
    Constant const left = matrix({{1}, {2}}), right = matrix({{3, 4}, {5, 6}}), none = Array<int>(ArraySize{2, 0});
    Constant const along_rows[] = {left, none, right};
    EXPECT_EQ(concatenate(1, along_rows), Constant(matrix({{1, 3, 4}, {2, 5, 6}})));
    Constant const stacked[] = {7, matrix({{8}, {9}})};
    EXPECT_EQ(concatenate(0, stacked), Constant(column({7, 8, 9})));
    Constant const pages[] = {left, Constant(column({3, 4}))};
    EXPECT_EQ(concatenate(2, pages), Constant(array_of(ArraySize{2, 1, 2}, {1, 2, 3, 4})));
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

}  // namespace
}  // namespace lang::core
