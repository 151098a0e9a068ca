#include <lang/core/index/index_checker.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>

#include "test_support/values.hpp"
#include "test_support/expect_message.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <boost/range/iterator_range.hpp>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using groundwork::core::mem::aligned_heap;
using test::expect_message;
using test::make;
using Positions = std::vector<unsigned long>;

constexpr char const* constants_catalog = "tarvex:common:lang:core:constants";

indexable::Create<Constant> const create;
indexable::Get<Constant> const get;
indexable::Set<Constant> const set;
indexable::Assign<Constant> const assign_at;
indexable::Reshape<Constant> const reshape;
indexable::Repmat<Constant> const repmat;
indexable::ToIndex<Constant> const to_index;
indexable::ToIndexRange<Constant> const to_index_range;

template <class T>
std::vector<T> elements(Constant const& c) {
    Array<T> const& a = std::get<Array<T>>(c.value());
    return std::vector<T>(a.begin(), a.end());
}

TEST(Indexable, CreateGetAndSetWorkOnArraysOfEveryElementType) {
    EXPECT_EQ(create(ArrayType(type::REAL, ArraySize{0, 3})), Constant(Array<double>(ArraySize{0, 3})));
    EXPECT_EQ(create(ArrayType(type::INDEX, ArraySize{2, 1})), Constant(make<unsigned long>({2, 1}, {0, 0})));
    EXPECT_THROW(create(ArrayType(type::INVALID, ArraySize{1, 1})), std::logic_error);

    Constant logical = make<bool>({1, 2}, {false, true});
    Constant integer = make<int>({1, 2}, {-4, 5});
    set(logical, 0, Constant(true));
    set(integer, 1, Constant(7));
    EXPECT_EQ(logical, Constant(make<bool>({1, 2}, {true, true})));
    EXPECT_EQ(get(integer, 1), Constant(7));
    EXPECT_EQ(get(Constant(make<double>({3, 1}, {0.5, 1.5, 2.5})), 2), Constant(2.5));
}

TEST(Indexable, WritesCopySharedStorageFirst) {
    Constant const original = make<double>({2, 2}, {1, 2, 3, 4});
    Constant copy = original;
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();

    set(copy, 3, Constant(9.0));
    EXPECT_EQ(aligned_heap::allocations(), allocations + 1);
    set(copy, 0, Constant(8.0));  // now exclusive: written in place
    EXPECT_EQ(aligned_heap::allocations(), allocations + 1);
    EXPECT_EQ(aligned_heap::live(), live + 1);
    EXPECT_EQ(elements<double>(copy), (std::vector<double>{8, 2, 3, 9}));
    EXPECT_EQ(elements<double>(original), (std::vector<double>{1, 2, 3, 4}));

    // The shorter of the two ranges ends the copy.
    Constant target = original;
    assign_at(target, make_counting_entry(1, 4).second, make<double>({1, 5}, {10, 20, 30, 40, 50}),
              make_counting_entry(0, 5).second);
    EXPECT_EQ(elements<double>(target), (std::vector<double>{1, 10, 20, 30}));
    EXPECT_EQ(elements<double>(original), (std::vector<double>{1, 2, 3, 4}));
}

TEST(Indexable, WrongKindsRaiseAndChangeNothing) {
    Constant matrix = make<double>({2, 2}, {1, 2, 3, 4});
    Constant const before = matrix;
    Constant const tuple = Tuple{Constant(1), Constant(2.0)};
    Constant const indices = make<unsigned long>({1, 2}, {0, 1});
    IndexRange const all = make_counting_entry(0, 4).second;
    std::string const real22 = "array<real, 2, 2>";

    expect_message([] { get(Constant(5), 0); }, constants_catalog, "InvalidGet", {std::string("integer")});
    expect_message([&] { get(tuple, 0); }, constants_catalog, "InvalidGet", {std::string("tuple<integer, real>")});
    expect_message([&] { set(matrix, 0, Constant(1)); }, constants_catalog, "InvalidSet",
                   {real22, std::string("integer")});
    expect_message([&] { assign_at(matrix, all, make<int>({2, 2}, {1, 2, 3, 4}), all); }, constants_catalog,
                   "InvalidAssign", {real22, std::string("array<integer, 2, 2>")});
    EXPECT_EQ(matrix, before);

    expect_message([] { reshape(Constant(5), ArraySize{1, 1}); }, constants_catalog, "InvalidArray",
                   {std::string("integer")});
    expect_message([&] { repmat(tuple, ArraySize{2, 2}); }, constants_catalog, "InvalidArray",
                   {std::string("tuple<integer, real>")});

    // Only an index scalar is an index, and only an index array a range.
    EXPECT_EQ(to_index(Constant(7UL)), 7u);
    expect_message([&] { to_index(indices); }, constants_catalog, "InvalidIndex",
                   {std::string("array<index, 1, 2>")});
    expect_message([] { to_index_range(Constant(7UL)); }, constants_catalog, "InvalidIndex",
                   {std::string("index")});
    Array<unsigned long> const range = to_index_range(indices);
    EXPECT_EQ(range.x(), std::get<Array<unsigned long>>(indices.value()).x());
}

TEST(Indexable, AValuelessConstantRaisesBadVariantAccess) {
    Constant broken = 1.0;
    EXPECT_THROW(broken.value().emplace<Array<double>>(ArraySize{1UL << 62}), std::bad_alloc);
    ASSERT_EQ(broken.id(), -1);
    Constant array = make<double>({1, 2}, {1, 2});
    EXPECT_THROW(get(broken, 0), std::bad_variant_access);
    EXPECT_THROW(set(array, 0, broken), std::bad_variant_access);
    EXPECT_THROW(repmat(broken, ArraySize{1, 1}), std::bad_variant_access);
    EXPECT_THROW(to_index(broken), std::bad_variant_access);
}

TEST(Indexable, ReshapeSharesAndRepmatTiles) {
    Constant const row = make<int>({1, 2}, {1, 2});
    unsigned long const allocations = aligned_heap::allocations();
    Constant const column = reshape(row, ArraySize{2, 1});
    EXPECT_EQ(aligned_heap::allocations(), allocations);
    EXPECT_EQ(column, Constant(make<int>({2, 1}, {1, 2})));

    EXPECT_EQ(repmat(row, ArraySize{2, 2}), Constant(make<int>({2, 4}, {1, 1, 2, 2, 1, 1, 2, 2})));
    EXPECT_EQ(repmat(row, ArraySize{1, 0}), Constant(Array<int>(ArraySize{1, 0})));

    // Against the per-position division by the result's strides.
    std::mt19937 random(20261205);
    auto length = [&](unsigned long most) { return std::uniform_int_distribution<unsigned long>(1, most)(random); };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<unsigned long> lengths(length(4)), counts(length(4));
        for (unsigned long& n : lengths) n = length(3);
        for (unsigned long& n : counts) n = length(3);
        ArraySize const s{std::span<unsigned long const>(lengths)};
        Array<double> a(s);
        for (unsigned long i = 0; i < s.numElements(); ++i) a.x()[i] = static_cast<double>(i);

        Constant const tiled = repmat(a, ArraySize{std::span<unsigned long const>(counts)});
        ArraySize const t = std::get<Array<double>>(tiled.value()).size();
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
        ASSERT_EQ(elements<double>(tiled), expected) << "source " << s << " by " << counts.size() << " counts";
    }
}

// The selection of `subscripts` in column-major order, one multi-index at a
// time, without the indexer's incremental positions.
Positions selected(ArraySize const& s, std::vector<Positions> const& subscripts) {
    Positions out;
    std::vector<unsigned long> j(subscripts.size(), 0);
    for (Positions const& values : subscripts) if (values.empty()) return out;
    for (;;) {
        unsigned long position = 0, stride = 1;
        for (unsigned long k = 0; k < j.size(); ++k) {
            position += subscripts[k][j[k]] * stride;
            stride *= s(k);
        }
        out.push_back(position);
        unsigned long k = 0;
        while (k < j.size() && ++j[k] == subscripts[k].size()) j[k++] = 0;
        if (k == j.size()) return out;
    }
}

TEST(Indexable, ReadsAndWritesThroughIndexersMatchAPlainLoop) {
    std::mt19937 random(7);
    auto below = [&](unsigned long n) { return std::uniform_int_distribution<unsigned long>(0, n - 1)(random); };
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<unsigned long> lengths(2 + below(2));
        for (unsigned long& n : lengths) n = 1 + below(4);
        ArraySize const s{std::span<unsigned long const>(lengths)};
        std::vector<Positions> subscripts(1 + below(lengths.size()));
        std::vector<unsigned long> const admissible = IndexChecker(s, subscripts.size()).lengths();
        IndexerBuilder builder(s);
        for (unsigned long k = 0; k < subscripts.size(); ++k) {
            subscripts[k].resize(below(4));
            for (unsigned long& v : subscripts[k]) v = below(admissible[k]);
            builder.append_(make_list_entry(subscripts[k]));
        }
        Indexer const indexer = builder;
        Positions const expected = selected(s, subscripts);
        SCOPED_TRACE(testing::Message() << "trial " << trial << " size " << s);

        Array<int> values(s);
        for (unsigned long i = 0; i < s.numElements(); ++i) values.x()[i] = static_cast<int>(i * 7);
        Constant const source = values;
        std::vector<Constant> read, reference;
        for (unsigned long p : indexer) read.push_back(get(source, p));
        for (unsigned long p : expected) reference.push_back(static_cast<int>(p * 7));
        ASSERT_EQ(read, reference);

        // Writes: Set element by element, and Assign from a packed source.
        Constant by_set = source, by_assign = source;
        std::vector<int> written = elements<int>(source);
        Array<int> packed(indexer.size());
        for (unsigned long i = 0; i < expected.size(); ++i) written[expected[i]] = packed.x()[i] = ~static_cast<int>(i);
        unsigned long i = 0;
        for (unsigned long p : indexer) set(by_set, p, Constant(~static_cast<int>(i++)));
        assign_at(by_assign, boost::make_iterator_range(indexer.begin(), indexer.end()), packed,
                  make_counting_entry(0, expected.size()).second);
        EXPECT_EQ(elements<int>(by_set), written);
        EXPECT_EQ(elements<int>(by_assign), written);
        EXPECT_EQ(source, Constant(values));
    }
}

}  // namespace
}  // namespace lang::core
