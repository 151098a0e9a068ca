#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/inverse_concatenator.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <optional>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;
using Positions = std::vector<unsigned long>;
using Buffer = std::vector<int>;

// Operand k holds the values 1000k, 1000k + 1, ... in storage order, so an
// element of the result names where it came from.
std::vector<Buffer> numbered(std::vector<ArraySize> const& sizes) {
    std::vector<Buffer> operands;
    for (unsigned long k = 0; k < sizes.size(); ++k) {
        Buffer& b = operands.emplace_back(sizes[k].numElements());
        for (unsigned long i = 0; i < b.size(); ++i) b[i] = static_cast<int>(1000 * k + i);
    }
    return operands;
}

Buffer apply(Concatenator const& plan, std::vector<Buffer> const& operands) {
    Buffer result(plan.size().numElements(), -1);
    for (Concatenator::Entry const& entry : plan) {
        auto dst = entry.dstIndexer().begin();
        auto const dst_end = entry.dstIndexer().end();
        auto src = entry.srcIndexer().begin();
        auto const src_end = entry.srcIndexer().end();
        EXPECT_EQ(entry.dstIndexer().size().numElements(), entry.srcIndexer().size().numElements());
        for (; dst != dst_end && src != src_end; ++dst, ++src) result.at(*dst) = operands[entry.src()].at(*src);
    }
    return result;
}

// Each operand as (before, along, after) blocks around `dim`: the result takes,
// for every slab of the dimensions after `dim`, each operand's slab in turn.
Buffer reference(unsigned long dim, std::vector<ArraySize> const& sizes, std::vector<Buffer> const& operands) {
    unsigned long before = 1;
    unsigned long after = 1;
    for (unsigned long j = 0; j < std::max(sizes[0].size(), dim + 1); ++j) {
        if (j < dim) before *= sizes[0](j);
        if (j > dim) after *= sizes[0](j);
    }
    Buffer result;
    for (unsigned long a = 0; a < after; ++a) {
        for (unsigned long k = 0; k < sizes.size(); ++k) {
            unsigned long const along = sizes[k](dim);
            for (unsigned long i = 0; i < before * along; ++i) result.push_back(operands[k][a * before * along + i]);
        }
    }
    return result;
}

// The same answer as a std::optional, which the test framework can print.
std::optional<std::pair<unsigned long, unsigned long>> std_optional(boost::optional<std::pair<unsigned long, unsigned long>> const& o) {
    return o ? std::optional(*o) : std::nullopt;
}

TEST(Concatenator, PlacesEachOperandInItsBlock) {
    Concatenator const columns(1, {ArraySize{2, 3}, ArraySize{2, 4}});
    EXPECT_EQ(columns.size(), (ArraySize{2, 7}));
    ASSERT_EQ(columns.entries().size(), 2u);
    EXPECT_EQ(columns.entries()[1].src(), 1u);
    Indexer const& block = columns.entries()[1].dstIndexer();
    EXPECT_EQ(Positions(block.begin(), block.end()), Positions({6, 7, 8, 9, 10, 11, 12, 13}));

    Concatenator const rows(0, {ArraySize{2, 3}, ArraySize{4, 3}});
    EXPECT_EQ(rows.size(), (ArraySize{6, 3}));
    Indexer const& lower = rows.entries()[1].dstIndexer();
    EXPECT_EQ(Positions(lower.begin(), lower.end()), Positions({2, 3, 4, 5, 8, 9, 10, 11, 14, 15, 16, 17}));

    EXPECT_EQ(Concatenator(2, {ArraySize{2, 3}, ArraySize{2, 3}}).size(), (ArraySize{2, 3, 2}));

    Concatenator const empty(1, {ArraySize{2, 0}, ArraySize{2, 3}});
    EXPECT_EQ(empty.size(), (ArraySize{2, 3}));
    EXPECT_EQ(empty.entries()[0].dstIndexer().begin(), empty.entries()[0].dstIndexer().end());
    EXPECT_EQ(empty.entries()[0].srcIndexer().begin(), empty.entries()[0].srcIndexer().end());

    InverseConcatenator const inverse(1, {ArraySize{2, 1}, ArraySize{2, 2}});
    EXPECT_EQ(inverse.size(), (ArraySize{2, 3}));
    EXPECT_EQ(std_optional(inverse(3)), std::pair(1UL, 1UL));
    EXPECT_EQ(std_optional(inverse(1)), std::pair(0UL, 1UL));
    EXPECT_FALSE(inverse(6));
}

TEST(Concatenator, RaisesForNoOperandsAndTheFirstMismatch) {
    char const* catalog = "tarvex:common:lang:core:index";
    expect_message([] { Concatenator(0, {}); }, catalog, "EmptyConcatenation", {});
    expect_message([] { InverseConcatenator(0, {}); }, catalog, "EmptyConcatenation", {});
    expect_message([] { Concatenator(1, {ArraySize{2, 3}, ArraySize{3, 3}}); }, catalog, "InvalidConcatenation",
                   {1L, std::string("2, 3"), std::string("3, 3")});
    expect_message([] { InverseConcatenator(0, {ArraySize{2, 3}, ArraySize{1, 3}, ArraySize{2, 4}, ArraySize{0, 0}}); },
                   catalog, "InvalidConcatenation", {0L, std::string("2, 3"), std::string("2, 4")});
    expect_message([] { Concatenator(3, {ArraySize{2, 3}, ArraySize{0, 0}}); }, catalog, "InvalidConcatenation",
                   {3L, std::string("2, 3"), std::string("0, 0")});
}

// Random operand lists: the plan must build what a direct concatenation
// builds, and the inverse must find every element's origin.
TEST(Concatenator, MatchesADirectConcatenationAndItsInverse) {
    std::mt19937_64 rng(0xc0ca7);
    auto below = [&](unsigned long n) { return static_cast<unsigned long>(rng() % n); };

    for (int trial = 0; trial < 1000; ++trial) {
        unsigned long const dims = 1 + below(4);
        Positions lengths(dims);
        for (auto& l : lengths) l = below(4);
        unsigned long const dim = below(dims + 2);
        lengths.resize(std::max(dims, dim + 1), 1);

        std::vector<ArraySize> sizes;
        for (unsigned long k = 1 + below(4); k > 0; --k) {
            lengths[dim] = below(4);
            sizes.emplace_back(lengths);
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": dim " << dim << ", first " << sizes[0] << ", "
                                        << sizes.size() << " operands");

        std::vector<Buffer> const operands = numbered(sizes);
        Concatenator const plan(dim, sizes);
        Buffer const result = apply(plan, operands);
        ASSERT_EQ(result, reference(dim, sizes, operands));

        InverseConcatenator const inverse(dim, sizes);
        EXPECT_EQ(inverse.size(), plan.size());
        for (unsigned long r = 0; r < result.size(); ++r) {
            auto const origin = inverse(r);
            ASSERT_TRUE(origin) << "at " << r;
            EXPECT_EQ(static_cast<unsigned long>(result[r]), 1000 * origin->first + origin->second) << "at " << r;
        }
        EXPECT_FALSE(inverse(result.size()));
    }
}

}  // namespace
}  // namespace lang::core
