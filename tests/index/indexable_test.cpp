// SPDX-License-Identifier: Apache-2.0
// The indexable entries, how indexing reads and writes constants: against a
// plain loop, copying shared storage once, and raising for lengths that only
// fit by wrapping.
#include <lang/core/constants/uniform_array.hpp>
#include <lang/core/ext/raw_value.hpp>
#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/index_checker.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/index/inverse_concatenator.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>
#include <lang/core/index/multi_index.hpp>
#include <lang/core/ops/pad.hpp>

#include "test_support/values.hpp"

#include <boost/range/iterator_range.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <new>
#include <random>
#include <span>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using namespace test;
using Positions = std::vector<unsigned long>;

indexable::Create<Constant> const create;
indexable::Get<Constant> const get;
indexable::Set<Constant> const set;
indexable::Assign<Constant> const assign_at;
indexable::Reshape<Constant> const reshape;
indexable::Repmat<Constant> const repmat;
indexable::ToIndex<Constant> const to_index;
indexable::ToIndexRange<Constant> const to_index_range;

TEST(Indexable, CreatesZerosAndWrongKindsRaiseAndChangeNothing) {
    Constant matrix = make<double>({2, 2}, {1, 2, 3, 4});
    Constant const before = matrix;
    Constant const tuple = Tuple{1, 2.0};
    Constant const indices = make<unsigned long>({1, 2}, {0, 1});
    IndexRange const all = make_counting_entry(0, 4).second;
    auto const invalid = [](auto call, char const* key, MessageArguments const& arguments) {
        expect_message(call, constants_catalog, key, arguments);
    };
    EXPECT_EQ(create(ArrayType(type::INDEX, ArraySize{2, 1})), make<unsigned long>({2, 1}, {0, 0}));
    EXPECT_THROW(create(ArrayType(type::INVALID, ArraySize{1, 1})), std::logic_error);
    invalid([&] { get(tuple, 0); }, "InvalidGet", {"tuple<integer, real>"});
    invalid([&] { set(matrix, 0, Constant(1)); }, "InvalidSet", {"array<real, 2, 2>", "integer"});
    invalid([&] { assign_at(matrix, all, make<int>({2, 2}, {1, 2, 3, 4}), all); }, "InvalidAssign",
            {"array<real, 2, 2>", "array<integer, 2, 2>"});
    EXPECT_EQ(matrix, before);
    invalid([&] { repmat(tuple, ArraySize{2, 2}); }, "InvalidArray", {"tuple<integer, real>"});

    // Only an index scalar is an index, and only an index array a range.
    EXPECT_EQ(to_index(Constant(7UL)), 7u);
    invalid([&] { to_index(indices); }, "InvalidIndex", {"array<index, 1, 2>"});
    invalid([] { to_index_range(Constant(7UL)); }, "InvalidIndex", {"index"});
    Array<unsigned long> const range = to_index_range(indices);
    EXPECT_EQ(range.x(), std::get<Array<unsigned long>>(indices.value()).x());
}

TEST(Indexable, ReshapeSharesAndRepmatTiles) {
    Constant const row = make<int>({1, 2}, {1, 2});
    unsigned long const allocations = heap::allocations();
    Constant const column = reshape(row, ArraySize{2, 1});
    EXPECT_EQ(heap::allocations(), allocations);
    EXPECT_EQ(column, make<int>({2, 1}, {1, 2}));

    // Against the per-position division by the result's strides; zero counts included.
    std::mt19937 random(20261205);
    auto pick = [&](unsigned long least, unsigned long most) {
        return std::uniform_int_distribution<unsigned long>(least, most)(random);
    };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<unsigned long> lengths(pick(1, 4)), counts(pick(1, 4));
        for (unsigned long& n : lengths) n = pick(1, 3);
        for (unsigned long& n : counts) n = pick(0, 3);
        ArraySize const s{std::span<unsigned long const>(lengths)};
        Array<double> a(s);
        for (unsigned long i = 0; i < s.numElements(); ++i) a.x()[i] = static_cast<double>(i);
        ArraySize const c{std::span<unsigned long const>(counts)};
        std::vector<unsigned long> tiled_lengths(std::max(s.size(), c.size()));
        for (unsigned long k = 0; k < tiled_lengths.size(); ++k) tiled_lengths[k] = s(k) * c(k);
        ArraySize const t{std::span<unsigned long const>(tiled_lengths)};
        SCOPED_TRACE(testing::Message() << "source " << s << " by " << c);

        Constant const tiled = repmat(a, c);
        ASSERT_EQ(std::get<Array<double>>(tiled.value()).size(), t);
        std::vector<double> expected(t.numElements());
        for (unsigned long i = 0; i < expected.size(); ++i) {
            unsigned long rem = i, p = 0, stride = t.numElements(), source_stride = s.numElements();
            for (unsigned long k = std::max(t.size(), s.size()); k-- > 0;) {
                stride /= t(k);
                source_stride /= s(k);
                p += (rem / stride % s(k)) * source_stride;
                rem %= stride;
            }
            expected[i] = static_cast<double>(p);
        }
        ASSERT_EQ(elements<double>(tiled), expected);
    }
}

// Every entry that sizes a block or turns subscripts into positions, given
// lengths whose products or sums only fit by wrapping.
TEST(Indexable, LengthsThatWrapRaiseInsteadOfSizingABlock) {
    unsigned long const half = 1UL << 32;
    ArraySize const huge{half, half};  // 2^64 elements, a count of 0
    // 1001 times its inverse modulo 2^64 wraps to 1.
    unsigned long inverse = 1001;
    for (int i = 0; i < 6; ++i) inverse *= 2 - 1001 * inverse;
    ASSERT_EQ(1001 * inverse, 1UL);

    Array<double> const small = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    double const raw[1] = {};
    std::pair<char const*, std::function<void()>> const entries[] = {
        {"replace", [] { ArraySize{2, 3}.replace(ULONG_MAX, 5); }},
        {"array", [&] { Array<double>{huge}; }},
        {"array of a count that wraps to 1", [&] { Array<double>{ArraySize{1001, inverse}}; }},
        {"create", [&] { create(ArrayType(type::REAL, huge)); }},
        {"raw value", [&] { create_constant(ArrayType(type::REAL, huge), raw); }},
        {"uniform", [&] { to_constant(ScalarConstant(1.0), huge); }},
        {"repmat", [&] { repmat(Array<int>(ArraySize{1001}), ArraySize{inverse}); }},
        {"cut a far dimension", [&] { small.pad(ULONG_MAX, 0, 0.0); }},
        {"grow a far dimension", [&] { small.pad(ULONG_MAX, 2, 0.0); }},
        {"grow past a count", [&] { small.pad(0, 1UL << 63, 0.0); }},
        {"concatenate along a far dimension", [] { Concatenator(ULONG_MAX, {{2, 3}}); }},
        {"concatenated length", [] { Concatenator(0, {{1UL << 63}, {1UL << 63}}); }},
        {"concatenated count", [&] { InverseConcatenator(0, {{half, half / 2}, {half, half / 2}}); }},
        {"check", [&] { IndexChecker(huge, 2); }},
        {"whole indexer", [&] { (void)static_cast<Indexer>(IndexerBuilder(huge)); }},
        {"multi-index", [] { to_multi_index(ArraySize{3, 1UL << 63}, 5); }},
    };
    for (auto const& [name, call] : entries) EXPECT_THROW(call(), std::bad_array_new_length) << name;

    // Counts that agree only by wrapping are different counts.
    expect_message([&] { reshape(Array<double>(ArraySize{0}), huge); }, types_catalog, "InvalidReshape",
                   {"0, 1", "4294967296, 4294967296"});
}

// Positions come from an indexer, which has its own reference test; reads
// and writes through them must agree with a plain loop, repeats included.
// A write copies the shared block once, and an assignment stops where the
// shorter of its two ranges ends.
TEST(Indexable, ReadsAndWritesThroughIndexersMatchAPlainLoop) {
    std::mt19937 random(7);
    auto below = [&](unsigned long n) { return std::uniform_int_distribution<unsigned long>(0, n - 1)(random); };
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<unsigned long> lengths(2 + below(2));
        for (unsigned long& n : lengths) n = 1 + below(4);
        ArraySize const s{std::span<unsigned long const>(lengths)};
        IndexerBuilder builder(s);
        for (unsigned long length : lengths) {
            Positions subscript(below(4));
            for (unsigned long& v : subscript) v = below(length);
            builder.append_(make_list_entry(subscript));
        }
        Indexer const indexer = builder;
        Positions const positions(indexer.begin(), indexer.end());
        unsigned long const available = below(positions.size() + 3);
        SCOPED_TRACE(testing::Message() << "trial " << trial << " size " << s << ", " << available << " to assign");

        Array<int> values(s);
        for (unsigned long i = 0; i < s.numElements(); ++i) values.x()[i] = static_cast<int>(i * 7);
        Constant const source = values;
        Constant by_set = source, by_assign = source;
        // Plain values: a constant sharing source's block would not see a write to it.
        std::vector<int> const original = elements<int>(source);
        std::vector<int> set_expected = original, assign_expected = original;
        Array<int> packed(ArraySize{1, available});
        for (unsigned long i = 0; i < available; ++i) packed.x()[i] = ~static_cast<int>(i);
        unsigned long const allocations = heap::allocations(), live = heap::live();
        for (unsigned long i = 0; i < positions.size(); ++i) {
            ASSERT_EQ(get(source, positions[i]), Constant(static_cast<int>(positions[i] * 7)));
            set_expected[positions[i]] = ~static_cast<int>(i);
            if (i < available) assign_expected[positions[i]] = ~static_cast<int>(i);
            set(by_set, positions[i], Constant(~static_cast<int>(i)));
        }
        // The first write copies the shared block, which the source keeps.
        EXPECT_EQ(heap::allocations(), allocations + !positions.empty());
        EXPECT_EQ(heap::live(), live + !positions.empty());
        unsigned long const before_assign = heap::allocations();
        assign_at(by_assign, boost::make_iterator_range(indexer.begin(), indexer.end()), packed,
                  make_counting_entry(0, available).second);
        // At most one copy; that there was one, the source's elements show.
        EXPECT_LE(heap::allocations(), before_assign + 1);
        EXPECT_EQ(elements<int>(by_set), set_expected);
        EXPECT_EQ(elements<int>(by_assign), assign_expected);
        EXPECT_EQ(elements<int>(source), original);
    }
}

}  // namespace
}  // namespace lang::core
