#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>

#include "test_support/expect_message.hpp"

#include <boost/range/adaptor/reversed.hpp>
#include <boost/range/counting_range.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;
using Positions = std::vector<unsigned long>;

Positions visit(Indexer const& indexer) { return Positions(indexer.begin(), indexer.end()); }

Indexer build(ArraySize const& src, std::vector<Positions> const& subscripts) {
    IndexerBuilder builder(src);
    for (Positions const& values : subscripts) builder.append_(make_list_entry(values));
    return builder;
}

TEST(Indexer, VisitsTheSelectionColumnByColumn) {
    Indexer const corners = build(ArraySize{3, 4}, {{0, 2}, {1, 3}});
    EXPECT_EQ(corners.size(), (ArraySize{2, 2}));
    EXPECT_EQ(corners.multipliers(), Positions({1, 3, 12}));
    EXPECT_EQ(visit(corners), Positions({3, 5, 9, 11}));

    Indexer const all = IndexerBuilder(ArraySize{2, 3});
    EXPECT_EQ(all.size(), (ArraySize{2, 3}));
    EXPECT_EQ(visit(all), Positions({0, 1, 2, 3, 4, 5}));

    // One subscript indexes linearly; the last subscript spans the rest.
    Indexer const linear = build(ArraySize{2, 3}, {{5, 0, 4}});
    EXPECT_EQ(linear.size(), (ArraySize{3}));
    EXPECT_EQ(visit(linear), Positions({5, 0, 4}));
    EXPECT_EQ(visit(build(ArraySize{2, 3, 4}, {{1}, {11, 0}})), Positions({23, 1}));

    // Repeats and descending values come in the order given.
    EXPECT_EQ(visit(build(ArraySize{3, 2}, {{2, 0, 2}, {1, 0}})), Positions({5, 3, 5, 2, 0, 2}));

    // Subscripts past the stored dimensions, even past the multipliers, admit
    // only 0 but still repeat the selection.
    Indexer const extra = build(ArraySize{2, 3}, {{1}, {2}, {0, 0}, {0}, {0, 0}});
    EXPECT_EQ(extra.size(), (ArraySize{1, 1, 2, 1, 2}));
    EXPECT_EQ(visit(extra), Positions({5, 5, 5, 5}));
}

TEST(Indexer, AnEmptySubscriptSelectsNothing) {
    Indexer const none = build(ArraySize{2, 3}, {{0, 1}, {}});
    EXPECT_EQ(none.size(), (ArraySize{2, 0}));
    EXPECT_EQ(none.begin(), none.end());
    ASSERT_EQ(none.entries().size(), 2u);
    for (IndexEntry const& entry : none.entries()) EXPECT_TRUE(boost::empty(entry.second));
}

TEST(Indexer, IteratorsCompareByCountAlone) {
    Indexer const indexer = build(ArraySize{3, 4}, {{0, 2}, {1, 3}});
    Indexer::Iterator it = indexer.begin();
    EXPECT_EQ(it, Indexer::Iterator(0));
    ++it;
    EXPECT_EQ(it.count(), 1u);
    EXPECT_EQ(it, Indexer::Iterator(1));
    it.decrement();
    EXPECT_EQ(*it, 5u);
    EXPECT_NE(it, indexer.begin());
}

TEST(IndexerBuilder, RaisesAtTheFirstValueOutOfRangeAndKeepsItsEntries) {
    char const* catalog = "tarvex:common:lang:core:types";
    expect_message([] { build(ArraySize{3, 4}, {{0, 3}, {1}}); }, catalog, "InvalidIndex",
                   {std::u16string(u"3x4"), 3L});
    // Entries are checked in order, values within an entry in range order.
    expect_message([] { build(ArraySize{3, 4}, {{1, 7, 9}, {5}}); }, catalog, "InvalidIndex",
                   {std::u16string(u"3x4"), 7L});
    expect_message([] { build(ArraySize{2, 3}, {{0}, {0}, {1}}); }, catalog, "InvalidIndex",
                   {std::u16string(u"2x3"), 1L});

    IndexerBuilder builder(ArraySize{3, 4});
    IndexerBuilder const shared = builder;
    builder.append_(make_counting_entry(0, 13));
    EXPECT_EQ(shared.entries().size(), 1u);
    EXPECT_THROW((void)static_cast<Indexer>(shared), kbase::MessageException);
    EXPECT_EQ(builder.entries().size(), 1u);
    builder.entries().front() = make_counting_entry(1, 3);
    EXPECT_EQ(visit(shared), Positions({1, 2}));
}

TEST(Indexer, OutlivesItsBuilderAndTheCallersRanges) {
    Indexer indexer = [] {
        std::vector<unsigned long> rows{2, 0};
        IndexRange const columns = boost::counting_range(1UL, 3UL);
        IndexerBuilder builder(ArraySize{3, 4});
        builder.append_(make_list_entry(rows));
        builder.append_(make_shared_entry(columns));
        return Indexer(builder);
    }();
    EXPECT_EQ(visit(indexer), Positions({5, 3, 8, 6}));
    Indexer const copy = indexer;
    indexer = IndexerBuilder(ArraySize{1, 1});
    EXPECT_EQ(visit(copy), Positions({5, 3, 8, 6}));
}

// Subscripts of every kind over random shapes, checked against a direct
// column-major computation.
TEST(Indexer, MatchesADirectComputationOverGeneratedSubscripts) {
    std::mt19937_64 rng(0x1d3a);
    auto below = [&](unsigned long n) { return n == 0 ? 0 : static_cast<unsigned long>(rng() % n); };

    for (int trial = 0; trial < 2000; ++trial) {
        unsigned long const dims = 1 + below(4);
        Positions lengths(dims);
        for (auto& l : lengths) l = below(8) == 0 ? 0 : 1 + below(4);
        ArraySize const src(lengths);
        unsigned long const n = 1 + below(dims + 2);

        IndexerBuilder builder(src);
        std::vector<Positions> values(n);
        Positions strides(n);
        bool const corrupt = below(8) == 0;
        std::optional<unsigned long> bad;
        for (unsigned long k = 0; k < n; ++k) {
            unsigned long extent = 1;
            strides[k] = 1;
            for (unsigned long j = 0; j < dims; ++j) {
                if (j < k) strides[k] *= lengths[j];
                if (j == k || (k == n - 1 && j > k)) extent *= lengths[j];
            }
            switch (below(4)) {
            case 0: {
                unsigned long const first = below(extent + 1);
                unsigned long const last = first + below(extent - first + 1);
                for (unsigned long v = first; v < last; ++v) values[k].push_back(v);
                builder.append_(make_counting_entry(first, last));
                break;
            }
            case 1:
                for (unsigned long i = below(6); i > 0 && extent > 0; --i) values[k].push_back(below(extent));
                if (corrupt && !bad) {
                    bad = extent + below(3);
                    values[k].push_back(*bad);
                    values[k].push_back(*bad + 1);
                }
                builder.append_(make_list_entry(values[k]));
                break;
            case 2:
                for (unsigned long v = extent; v-- > 0;) values[k].push_back(v);
                builder.append_(make_shared_entry(boost::adaptors::reverse(boost::counting_range(0UL, extent))));
                break;
            default: {
                unsigned long const v = below(extent);
                if (extent > 0) values[k].push_back(v);
                builder.append_(make_counting_entry(v, v + values[k].size()));
            }
            }
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial << ": source " << src << ", " << n << " subscripts");

        if (bad) {
            // Trailing lengths of 1 are not part of a size.
            Positions shown = lengths;
            while (shown.size() > 2 && shown.back() == 1) shown.pop_back();
            shown.resize(std::max<std::size_t>(shown.size(), 2), 1);
            std::u16string text;
            for (unsigned long l : shown) {
                if (!text.empty()) text += u'x';
                for (char c : std::to_string(l)) text += static_cast<char16_t>(c);
            }
            expect_message([&] { (void)static_cast<Indexer>(builder); }, "tarvex:common:lang:core:types", "InvalidIndex",
                           {text, static_cast<long>(*bad)});
            continue;
        }

        Positions counts(n);
        unsigned long total = 1;
        for (unsigned long k = 0; k < n; ++k) total *= counts[k] = values[k].size();
        std::vector<Positions> subscripts;
        Positions expected;
        for (unsigned long i = 0; i < total; ++i) {
            Positions& subs = subscripts.emplace_back();
            unsigned long rem = i;
            unsigned long position = 0;
            for (unsigned long k = 0; k < n; ++k) {
                subs.push_back(values[k][rem % counts[k]]);
                position += subs.back() * strides[k];
                rem /= counts[k];
            }
            expected.push_back(position);
        }

        Indexer const indexer = builder;
        EXPECT_EQ(indexer.size(), ArraySize(counts));
        EXPECT_EQ(visit(indexer), expected);
        Positions each;
        indexer.for_each([&](unsigned long position) { each.push_back(position); });
        EXPECT_EQ(each, expected);

        // An iterator made from the pairs alone walks entry 0 through its
        // iterator instead of the Indexer's table; both must agree, down to
        // the subscripts each entry's iterator stands at.
        Indexer::Iterator tabled = indexer.begin();
        Indexer::Iterator plain(tabled.pairs(), tabled.multipliers());
        for (unsigned long i = 0; i < total; ++i, ++tabled, ++plain) {
            ASSERT_EQ(*plain, expected[i]) << "at " << i;
            for (Indexer::Iterator const* it : {&tabled, &plain}) {
                std::vector<Indexer::It> const current = it->iterators();
                for (unsigned long k = 0; k < n; ++k) ASSERT_EQ(*current[k], subscripts[i][k]) << "at " << i;
            }
        }
        EXPECT_EQ(tabled, indexer.end());
        EXPECT_EQ(plain, indexer.end());
    }
}

// A long first subscript is walked through its type-erased iterator.
TEST(Indexer, LongFirstSubscriptsVisitTheSamePositions) {
    Positions rows(5000);
    for (unsigned long i = 0; i < rows.size(); ++i) rows[i] = (i * 7) % 6000;
    Indexer const indexer = build(ArraySize{6000, 3}, {rows, {2, 0}});
    Positions expected;
    for (unsigned long column : {2, 0}) {
        for (unsigned long row : rows) expected.push_back(row + 6000 * column);
    }
    EXPECT_EQ(visit(indexer), expected);
    Positions each;
    indexer.for_each([&](unsigned long position) { each.push_back(position); });
    EXPECT_EQ(each, expected);
}

}  // namespace
}  // namespace lang::core
