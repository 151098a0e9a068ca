// SPDX-License-Identifier: Apache-2.0
// Subscripts and positions: the bounds check of each subscript position, a
// position split into subscripts, and the indexer and its builder, which turn
// subscripts into source positions (against a direct column-major
// computation, by every way of iterating).
#include <lang/core/index/index_checker.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>
#include <lang/core/index/multi_index.hpp>

#include "test_support/expect_message.hpp"

#include <boost/range/counting_range.hpp>

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using Positions = std::vector<unsigned long>;

// InvalidIndex of the types catalog, naming the size and the value out of range.
template <class F>
void expect_invalid_index(F&& call, char16_t const* size, long reported) {
    test::expect_message(call, test::types_catalog, "InvalidIndex", {std::u16string(size), reported});
}

IndexerBuilder listed(ArraySize const& src, std::vector<Positions> const& subscripts) {
    IndexerBuilder builder(src);
    for (Positions const& values : subscripts) builder.append_(make_list_entry(values));
    return builder;
}

TEST(IndexChecker, AdmitsIndicesBelowEachPositionsLength) {
    // The last position spans the remaining dimensions: 4 x 2.
    IndexChecker const two(ArraySize{3, 4, 2}, 2);
    two(2, 0);
    two(7, 1);
    expect_invalid_index([&] { two(3, 0); }, u"3x4x2", 3);
    expect_invalid_index([&] { two(8, 1); }, u"3x4x2", 8);
    expect_invalid_index([&] { two(~0UL, 0); }, u"3x4x2", -1);  // reported as a signed 64-bit value
    EXPECT_THROW(two(0, 2), std::out_of_range);
    // Positions past the stored ones admit only 0.
    expect_invalid_index([] { IndexChecker(ArraySize{2, 3}, 3)(1, 2); }, u"2x3", 1);

    EXPECT_THROW(IndexChecker(ArraySize{3, 4}, 0), std::logic_error);
}

// The same answer as a std::optional, which the test framework can print.
std::optional<Positions> split(boost::optional<Positions> const& o) {
    return o ? std::optional<Positions>(*o) : std::nullopt;
}

TEST(ToMultiIndex, SplitsAPositionOrGivesNoneOutsideTheSize) {
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 5, 3)), (Positions{1, 2, 0}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23, 2)), (Positions{1, 11}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 6, 2)), std::nullopt);
    EXPECT_EQ(split(to_multi_index(ArraySize{0, 3}, 0, 2)), std::nullopt);

    // Without a count: one subscript for a column vector, else one per dimension.
    EXPECT_EQ(split(to_multi_index(ArraySize{4, 1}, 3)), (Positions{3}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23)), (Positions{1, 2, 3}));
}

// Every way of iterating must visit the same positions.
void expect_positions(Indexer const& indexer, Positions const& expected) {
    EXPECT_EQ(Positions(indexer.begin(), indexer.end()), expected);
    Positions each;
    indexer.for_each([&](unsigned long position) { each.push_back(position); });
    EXPECT_EQ(each, expected);
}

// Small cases are in the generated comparison below; these are the paths it
// does not reach. A first subscript too long to read ahead, with no entries
// at all, is walked through its iterator.
TEST(Indexer, WalksLongFirstSubscriptsAndNoEntriesAtAll) {
    Positions expected(12000);
    std::iota(expected.begin(), expected.end(), 0UL);
    expect_positions(IndexerBuilder(ArraySize{6000, 2}), expected);
}

TEST(IndexerBuilder, RaisesAtTheFirstValueOutOfRangeAndKeepsItsEntries) {
    expect_invalid_index([] { (void)Indexer(listed({3, 4}, {{1, 7, 9}, {5}})); }, u"3x4", 7);
    expect_invalid_index([] { (void)Indexer(listed({2, 3}, {{0}, {0}, {1}})); }, u"2x3", 1);

    IndexerBuilder builder(ArraySize{3, 4});
    IndexerBuilder const shared = builder;
    builder.append_(make_counting_entry(0, 13));
    EXPECT_THROW((void)static_cast<Indexer>(shared), kbase::MessageException);
    builder.entries().front() = make_counting_entry(1, 3);
    expect_positions(shared, {1, 2});
}

// A viewed list that changes after the indexer is built is read as it is
// when iterated; listed values, a viewed range object and the builder need
// not outlive the indexer.
TEST(Indexer, ReadsViewedRangesWhenIteratedAndOutlivesItsBuilder) {
    Positions rows{0, 1};
    Indexer const indexer = [&] {
        Positions const columns{1, 2};
        IndexRange const pages = boost::counting_range(1UL, 2UL);
        IndexerBuilder builder(ArraySize{3, 4, 2});
        builder.append_(make_shared_entry(IndexRange(rows)));
        builder.append_(make_list_entry(columns));
        builder.append_(make_shared_entry(pages));
        return Indexer(builder);
    }();
    rows[0] = 2;
    rows[1] = 0;

    Positions const expected{17, 15, 20, 18};
    expect_positions(indexer, expected);
    Indexer::Iterator it = indexer.begin();
    EXPECT_EQ(Positions(Indexer::Iterator(it.pairs(), it.multipliers()), indexer.end()), expected);
    ++it;
    EXPECT_EQ(*it.iterators()[0], 0UL);
}

// Subscripts of every kind over random shapes, against a direct column-major
// computation from each destination position's subscripts.
TEST(Indexer, MatchesADirectComputationOverGeneratedSubscripts) {
    std::mt19937_64 rng(0x1d3a);
    auto below = [&](unsigned long n) { return n == 0 ? 0 : static_cast<unsigned long>(rng() % n); };

    for (int trial = 0; trial < 2000; ++trial) {
        unsigned long const dims = 1 + below(4);
        Positions lengths(dims);
        for (auto& l : lengths) l = below(8) == 0 ? 0 : 1 + below(4);
        unsigned long const n = 1 + below(dims + 2);
        IndexerBuilder builder{ArraySize(lengths)};
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": source " << builder.size() << ", " << n);

        std::vector<Positions> values(n);
        Positions strides(n, 1);
        for (unsigned long k = 0; k < n; ++k) {
            unsigned long extent = 1;
            for (unsigned long j = 0; j < dims; ++j) {
                if (j < k) strides[k] *= lengths[j];
                if (j == k || (k == n - 1 && j > k)) extent *= lengths[j];
            }
            unsigned long const first = below(extent + 1);
            unsigned long const last = first + below(extent - first + 1);
            switch (below(3)) {
            case 0:
                for (unsigned long v = first; v < last; ++v) values[k].push_back(v);
                builder.append_(make_counting_entry(first, last));
                break;
            case 1:  // repeats, any order
                for (unsigned long i = below(6); i > 0 && extent > 0; --i) values[k].push_back(below(extent));
                builder.append_(make_list_entry(values[k]));
                break;
            default:
                for (unsigned long v = last; v-- > first;) values[k].push_back(v);
                // A view of the caller's own storage; values[k] outlives the indexer.
                builder.append_(make_shared_entry(IndexRange(values[k])));
            }
        }

        Positions counts(n);
        unsigned long total = 1;
        for (unsigned long k = 0; k < n; ++k) total *= counts[k] = values[k].size();
        Positions expected(total);
        for (unsigned long i = 0; i < total; ++i) {
            for (unsigned long k = 0, rem = i; k < n; rem /= counts[k++]) {
                expected[i] += values[k][rem % counts[k]] * strides[k];
            }
        }

        Indexer const indexer = builder;
        EXPECT_EQ(indexer.size(), ArraySize(counts));
        expect_positions(indexer, expected);
    }
}

}  // namespace
}  // namespace lang::core
