// Subscripts to positions: the indexer and its builder against a direct
// column-major computation, the index checker, multi-indices, and the
// concatenation plan and its inverse against a direct concatenation.
#include <lang/core/core.hpp>

#include "test_support/expect_message.hpp"

#include <boost/range/counting_range.hpp>

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using Positions = std::vector<unsigned long>;

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
    auto expect_invalid = [](ArraySize const& src, std::vector<Positions> const& subscripts, char16_t const* size,
                             long index) {
        IndexerBuilder builder(src);
        for (Positions const& values : subscripts) builder.append_(make_list_entry(values));
        test::expect_message([&] { (void)static_cast<Indexer>(builder); }, test::types_catalog, "InvalidIndex",
                             {std::u16string(size), index});
    };
    expect_invalid(ArraySize{3, 4}, {{1, 7, 9}, {5}}, u"3x4", 7);
    expect_invalid(ArraySize{2, 3}, {{0}, {0}, {1}}, u"2x3", 1);

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

void expect_invalid(IndexChecker const& check, unsigned long index, unsigned long position, char16_t const* size,
                    long reported) {
    test::expect_message([&] { check(index, position); }, test::types_catalog, "InvalidIndex",
                         {std::u16string(size), reported});
}

TEST(IndexChecker, AdmitsIndicesBelowEachPositionsLength) {
    IndexChecker const two(ArraySize{3, 4}, 2);
    two(3, 1);
    expect_invalid(two, 3, 0, u"3x4", 3);
    expect_invalid(two, ~0UL, 0, u"3x4", -1);  // reported as a signed 64-bit value
    EXPECT_THROW(two(0, 2), std::out_of_range);

    // Positions past the stored ones admit only 0. (That the last position
    // spans the remaining dimensions, the moved-from test proves.)
    expect_invalid(IndexChecker(ArraySize{2, 3}, 3), 1, 2, u"2x3", 1);

    EXPECT_THROW(IndexChecker(ArraySize{3, 4}, 0), std::logic_error);
}

using Subscripts = std::optional<Positions>;

// The same answer as a std::optional, which the test framework can print.
Subscripts split(boost::optional<std::vector<unsigned long>> const& o) { return o ? Subscripts(*o) : std::nullopt; }

TEST(ToMultiIndex, SplitsAPositionOrGivesNoneOutsideTheSize) {
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 5, 3)), (Positions{1, 2, 0}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23, 2)), (Positions{1, 11}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 6, 2)), std::nullopt);
    EXPECT_EQ(split(to_multi_index(ArraySize{0, 3}, 0, 2)), std::nullopt);

    // Without a count: one subscript for a column vector, else one per dimension.
    EXPECT_EQ(split(to_multi_index(ArraySize{4, 1}, 3)), (Positions{3}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23)), (Positions{1, 2, 3}));
}

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
