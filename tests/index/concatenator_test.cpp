// SPDX-License-Identifier: Apache-2.0
// The concatenation plan and its inverse, against a direct concatenation.
#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/inverse_concatenator.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using Positions = std::vector<unsigned long>;

// Operand k holds 1000k, 1000k + 1, ... in storage order, so each element of
// the result names its origin.
Positions concatenate(Concatenator const& plan, std::vector<ArraySize> const& sizes) {
    Positions result(plan.size().numElements(), ~0UL);
    for (Concatenator::Entry const& entry : plan) {
        EXPECT_EQ(entry.dstIndexer().size().numElements(), sizes[entry.src()].numElements());
        auto src = entry.srcIndexer().begin();
        for (auto dst = entry.dstIndexer().begin(); dst != entry.dstIndexer().end(); ++dst, ++src) {
            result.at(*dst) = 1000 * entry.src() + *src;
        }
    }
    return result;
}

// The same, slab by slab: for each step of the dimensions after `dim`, each
// operand's block of (dimensions before `dim`) x (its length along `dim`).
Positions reference(unsigned long dim, std::vector<ArraySize> const& sizes) {
    unsigned long before = 1;
    unsigned long after = 1;
    for (unsigned long j = 0; j < sizes[0].size(); ++j) {
        if (j != dim) (j < dim ? before : after) *= sizes[0](j);
    }
    Positions result;
    for (unsigned long a = 0; a < after; ++a) {
        for (unsigned long k = 0; k < sizes.size(); ++k) {
            unsigned long const block = before * sizes[k](dim);
            for (unsigned long i = 0; i < block; ++i) result.push_back(1000 * k + a * block + i);
        }
    }
    return result;
}

TEST(Concatenator, RaisesForNoOperandsOrMismatchedShapes) {
    char const* catalog = "tarvex:common:lang:core:index";
    test::expect_message([] { Concatenator(0, {}); }, catalog, "EmptyConcatenation", {});
    test::expect_message([] { Concatenator(1, {ArraySize{2, 3}, ArraySize{3, 3}}); }, catalog,
                         "InvalidConcatenation", {1L, "2, 3", "3, 3"});
    test::expect_message([] { InverseConcatenator(0, {ArraySize{2, 3}, ArraySize{1, 3}, ArraySize{2, 4}, {0, 0}}); },
                         catalog, "InvalidConcatenation", {0L, "2, 3", "2, 4"});
}

// Random operand lists, empty ones and new trailing dimensions included: the
// plan must build the direct concatenation, and the inverse must find every
// element's origin.
TEST(Concatenator, MatchesADirectConcatenationAndItsInverse) {
    std::mt19937_64 rng(0xc0ca7);
    auto below = [&](unsigned long n) { return static_cast<unsigned long>(rng() % n); };

    for (int trial = 0; trial < 1000; ++trial) {
        Positions lengths(1 + below(4));
        for (auto& l : lengths) l = below(4);
        unsigned long const dim = below(lengths.size() + 2);
        lengths.resize(std::max(lengths.size(), dim + 1), 1);
        std::vector<ArraySize> sizes;
        for (unsigned long k = 1 + below(4); k > 0; --k) {
            lengths[dim] = below(4);
            sizes.emplace_back(lengths);
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": dim " << dim << ", first " << sizes[0]);

        Concatenator const plan(dim, sizes);
        ArraySize expected_size = sizes[0];
        unsigned long along = 0;
        for (ArraySize const& s : sizes) along += s(dim);
        expected_size.replace(dim, along);
        ASSERT_EQ(plan.size(), expected_size);
        Positions const result = concatenate(plan, sizes);
        ASSERT_EQ(result, reference(dim, sizes));
        InverseConcatenator const inverse(dim, sizes);
        for (unsigned long r = 0; r < result.size(); ++r) {
            auto const origin = inverse(r);
            ASSERT_TRUE(origin) << "at " << r;
            EXPECT_EQ(1000 * origin->first + origin->second, result[r]) << "at " << r;
        }
        EXPECT_FALSE(inverse(result.size()));
    }
}

}  // namespace
}  // namespace lang::core
