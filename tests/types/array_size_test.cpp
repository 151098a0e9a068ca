#include <lang/core/types/array_size.hpp>

#include <test_support/expect_message.hpp>

#include <gtest/gtest.h>

#include <boost/lexical_cast.hpp>

#include <cstdint>
#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;

constexpr char types_catalog[] = "tarvex:common:lang:core:types";

std::vector<unsigned long> stored(ArraySize const& s) {
    auto const lengths = s.data()->lengths();
    return {lengths.begin(), lengths.end()};
}

std::string text(ArraySize const& s) { return boost::lexical_cast<std::string>(s); }

// Boost's 64-bit hash_combine, written out: start from the stored count and
// fold in each stored length.
std::uint64_t reference_hash(std::vector<std::uint64_t> const& lengths) {
    std::uint64_t const m = 0xc6a4a7935bd1e995ULL;
    std::uint64_t h = lengths.size();
    for (std::uint64_t k : lengths) {
        k *= m;
        k ^= k >> 47;
        k *= m;
        h ^= k;
        h *= m;
        h += 0xe6546b64;
    }
    return h;
}

TEST(ArraySize, TrailingOnesAreDroppedAndEqualShapesShareOneRecord) {
    unsigned long const raw[] = {2, 3, 1, 1};
    ArraySize const a{2, 3};
    ArraySize const b(raw, 3);
    ArraySize const c{std::span<unsigned long const>(raw)};
    EXPECT_EQ(a.data(), b.data());
    EXPECT_EQ(a.data(), c.data());
    EXPECT_EQ(hash_value(a), hash_value(c));
    EXPECT_EQ(stored(c), (std::vector<unsigned long>{2, 3}));
    EXPECT_EQ(text(c), "2, 3");
    EXPECT_NE(a, (ArraySize{3, 2}));

    ArraySize const column{5};
    EXPECT_EQ(column.data()->count(), 1u);
    EXPECT_EQ(column.size(), 2u);
    EXPECT_EQ(column.m(), 5u);
    EXPECT_EQ(column.n(), 1u);
    EXPECT_EQ(text(column), "5, 1");
    EXPECT_EQ(to_user_string(column), u"5x1");

    ArraySize const one{1, 1, 1};
    EXPECT_EQ(one, ArraySize{1});
    EXPECT_EQ(one.data()->count(), 0u);
    EXPECT_EQ(one.numElements(), 1u);
    EXPECT_EQ(hash_value(one), 0u);
    EXPECT_EQ(text(one), "1, 1");
    EXPECT_EQ(to_user_string(one), u"1x1");

    // No lengths at all is the empty column 0x1.
    ArraySize const none(raw, 0);
    EXPECT_EQ(none, ArraySize{0});
    EXPECT_EQ(none, ArraySize{});
    EXPECT_EQ(none.numElements(), 0u);
    EXPECT_EQ(text(none), "0, 1");
}

TEST(ArraySize, HashAndElementCountFollowTheStoredLengths) {
    std::vector<std::vector<unsigned long>> const shapes = {
        {0}, {7}, {2, 3}, {1, 4}, {2, 3, 4}, {1, 1, 9}, {0, 0}, {~0UL, 2}, {1UL << 32, 1UL << 32, 3}};
    for (auto const& lengths : shapes) {
        ArraySize const s(lengths.data(), lengths.size());
        std::vector<std::uint64_t> const wide(lengths.begin(), lengths.end());
        unsigned long product = 1;
        for (unsigned long k : lengths) product *= k;
        EXPECT_EQ(hash_value(s), reference_hash(wide)) << text(s);
        EXPECT_EQ(std::hash<ArraySize>{}(s), reference_hash(wide)) << text(s);
        EXPECT_EQ(s.numElements(), product) << text(s);
    }
    // Products wrap: 2^32 * 2^32 * 3 has no elements modulo 2^64.
    EXPECT_EQ((ArraySize{1UL << 32, 1UL << 32, 3}).numElements(), 0u);
}

TEST(ArraySize, DimensionsPastTheStoredOnesHaveLengthOne) {
    ArraySize const s{2, 3, 4};
    EXPECT_EQ(s.size(), 3u);
    EXPECT_EQ(s(2), 4u);
    EXPECT_EQ(s(3), 1u);
    EXPECT_EQ((ArraySize{2, 3})(7), 1u);
    EXPECT_EQ((ArraySize{2, 3})(~0UL), 1u);

    EXPECT_EQ(s.multipliers(), (std::vector<unsigned long>{1, 2, 6, 24}));
    EXPECT_EQ((ArraySize{1}).multipliers(), (std::vector<unsigned long>{1, 1, 1}));
    EXPECT_EQ((ArraySize{0, 5}).multipliers(), (std::vector<unsigned long>{1, 0, 0}));
}

TEST(ArraySize, EqualityOrderAndHashAgree) {
    std::vector<ArraySize> const shapes = {
        {}, {1}, {5}, {2, 3}, {2, 3, 1}, {2, 4}, {3, 1}, {2, 9}, {2, 3, 2}, {0, 0}, {0, 0, 0}, {~0UL}};
    for (auto const& a : shapes) {
        for (auto const& b : shapes) {
            int const c = compare(a, b);
            int const r = compare(b, a);
            SCOPED_TRACE(text(a) + " vs " + text(b));
            EXPECT_EQ(a == b, c == 0);
            EXPECT_EQ(a == b, a.data() == b.data());
            EXPECT_EQ(a != b, c != 0);
            if (a == b) {
                EXPECT_EQ(hash_value(a), hash_value(b));
            }
            EXPECT_EQ(r, c == 0 ? 0 : 3 - c);
            EXPECT_EQ(a < b, c == 1);
            EXPECT_EQ(a > b, c == 2);
            EXPECT_EQ(a <= b, c != 2);
            EXPECT_EQ(a >= b, c != 1);
        }
    }
    EXPECT_EQ(compare(ArraySize{2, 3}, ArraySize{2, 4}), 1);
    EXPECT_EQ(compare(ArraySize{3, 1}, ArraySize{2, 9}), 2);
    EXPECT_EQ(compare(ArraySize{2, 3}, ArraySize{2, 3, 2}), 1);
    // 0, 0, 0 and 0, 0 differ only in the stored third length, which is
    // compared against the implicit 1 of the shorter shape.
    EXPECT_EQ(compare(ArraySize{0, 0, 0}, ArraySize{0, 0}), 1);

    ArraySize x{2, 3};
    ArraySize y{4};
    swap(x, y);
    EXPECT_EQ(x, ArraySize{4});
    EXPECT_EQ(y, (ArraySize{2, 3}));
}

TEST(ArraySize, ReplaceSetsOneLength) {
    ArraySize s{2, 3};
    s.replace(3, 5);
    EXPECT_EQ(stored(s), (std::vector<unsigned long>{2, 3, 1, 5}));
    EXPECT_EQ(text(s), "2, 3, 1, 5");

    s = {2, 3};
    s.replace(1, 1);
    EXPECT_EQ(s, ArraySize{2});

    s = {2, 3};
    s.replace(9, 1);
    EXPECT_EQ(s, (ArraySize{2, 3}));
    s.replace(0, 0);
    EXPECT_EQ(s, (ArraySize{0, 3}));

    ArraySize t{2, 3, 4};
    t.replace(2, 1);
    EXPECT_EQ(t, (ArraySize{2, 3}));
}

TEST(ArraySize, ReshapeInfersOneZeroLengthOfAnEmptyTarget) {
    ArraySize const s{2, 3};
    EXPECT_EQ(s.reshape({0, 2}), (ArraySize{3, 2}));
    EXPECT_EQ(s.reshape({3, 2}), (ArraySize{3, 2}));
    EXPECT_EQ(s.reshape({6}), ArraySize{6});
    EXPECT_EQ((ArraySize{2, 6}).reshape({2, 0, 3}), (ArraySize{2, 2, 3}));
    EXPECT_EQ((ArraySize{0, 5}).reshape({5, 0}), (ArraySize{5, 0}));
    // Two zeros are no placeholder: an empty source keeps the target as is.
    EXPECT_EQ((ArraySize{0, 3}).reshape({0, 0}), (ArraySize{0, 0}));
    // The placeholder may stand anywhere, also past the stored lengths of
    // the source; a single element fills it with 1.
    EXPECT_EQ((ArraySize{1}).reshape({1, 0}), ArraySize{1});

    expect_message([&] { s.reshape({0, 4}); }, types_catalog, "InvalidReshape", {"2, 3", "0, 4"});
    expect_message([&] { s.reshape({0, 0}); }, types_catalog, "InvalidReshape", {"2, 3", "0, 0"});
    expect_message([&] { s.reshape({4, 2}); }, types_catalog, "InvalidReshape", {"2, 3", "4, 2"});
    // The other lengths multiply to 0 only by wrapping; nothing fills the zero.
    expect_message([&] { s.reshape({1UL << 32, 1UL << 32, 0}); }, types_catalog, "InvalidReshape",
                   {"2, 3", "4294967296, 4294967296, 0"});
}

TEST(ArraySize, ProductIsTakenDimensionByDimension) {
    ArraySize const a{2, 3};
    ArraySize const b{1, 2, 2};
    EXPECT_EQ(a * b, (ArraySize{2, 6, 2}));
    ArraySize c{2, 3, 4};
    c *= ArraySize{3};
    EXPECT_EQ(c, (ArraySize{6, 3, 4}));
    c *= ArraySize{0};
    EXPECT_EQ(c, (ArraySize{0, 3, 4}));
}

TEST(ArraySize, MatrixOperationsCheckTheirShapes) {
    EXPECT_EQ((ArraySize{2, 3}).transpose(), (ArraySize{3, 2}));
    EXPECT_EQ((ArraySize{5}).transpose(), (ArraySize{1, 5}));
    EXPECT_EQ(mtimes({2, 3}, {3, 5}), (ArraySize{2, 5}));
    EXPECT_EQ(mtimes({4}, {1, 7}), (ArraySize{4, 7}));

    expect_message([] { (ArraySize{2, 3, 4}).transpose(); }, types_catalog, "InvalidMatrix", {"2, 3, 4"});
    expect_message([] { (ArraySize{2, 3, 4}).requireMatrix(); }, types_catalog, "InvalidMatrix", {"2, 3, 4"});
    expect_message([] { mtimes({2, 3}, {4, 5}); }, types_catalog, "InconsistentMultiply", {"2, 3", "4, 5"});
    // The left operand is checked first, then the right.
    expect_message([] { mtimes({2, 3, 2}, {3, 5, 2}); }, types_catalog, "InvalidMatrix", {"2, 3, 2"});
    expect_message([] { mtimes({2, 3}, {3, 5, 2}); }, types_catalog, "InvalidMatrix", {"3, 5, 2"});
    expect_message([] { (ArraySize{2, 3}).requireMultiply({4, 5}); }, types_catalog, "InconsistentMultiply",
                   {"2, 3", "4, 5"});

    (ArraySize{2, 3, 1}).requireConsistent({2, 3});
    expect_message([] { (ArraySize{2, 3}).requireConsistent({3, 2}); }, types_catalog, "InconsistentSize",
                   {"2, 3", "3, 2"});
}

TEST(ArraySize, IndexChecks) {
    ArraySize const s{2, 3};
    EXPECT_EQ(s.check(0), 6u);
    EXPECT_EQ(s.check(5), 6u);
    expect_message([&] { s.check(6); }, types_catalog, "InvalidIndex", {"2, 3", 6L});
    expect_message([] { (ArraySize{0}).check(0); }, types_catalog, "InvalidIndex", {"0, 1", 0L});

    ArraySize const cube{2, 3, 4};
    cube.checkDim(1);
    cube.checkDim(3);
    cube.checkDim(5);
    s.checkDim(2);
    expect_message([&] { cube.checkDim(2); }, types_catalog, "InconsistentIndexDimension", {2L, "2, 3, 4"});
    expect_message([&] { cube.checkDim(0); }, types_catalog, "InconsistentIndexDimension", {0L, "2, 3, 4"});
    expect_message([] { (ArraySize{1}).checkDim(0); }, types_catalog, "InconsistentIndexDimension", {0L, "1, 1"});
}

TEST(ArraySize, LastSubscriptSpansTheRemainingDimensions) {
    ArraySize const s{2, 3, 4};
    EXPECT_EQ(length(s, 0, 2), 2u);
    EXPECT_EQ(length(s, 1, 2), 12u);
    EXPECT_EQ(length(s, 2, 2), 1u);
    EXPECT_EQ(length(s, 0, 1), 24u);
    EXPECT_EQ(length(s, 1, 1), 1u);
    for (unsigned long k : {3UL, 4UL}) {
        EXPECT_EQ(length(s, 0, k), 2u);
        EXPECT_EQ(length(s, 1, k), 3u);
        EXPECT_EQ(length(s, 2, k), 4u);
        EXPECT_EQ(length(s, 3, k), 1u);
    }
    EXPECT_THROW(length(s, 0, 0), std::logic_error);
}

// Groups digits in threes with a comma.
struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ArraySize, UserTextJoinsLengthsWithX) {
    EXPECT_EQ(to_user_string(ArraySize{2, 3}), u"2x3");
    EXPECT_EQ(to_user_string(ArraySize{2, 3, 1, 5}), u"2x3x1x5");
    EXPECT_EQ(to_user_string(ArraySize{}), u"0x1");
    EXPECT_EQ(to_user_string(ArraySize{~0UL}), u"18446744073709551615x1");

    // Lengths follow the global locale's digit grouping.
    std::locale const previous = std::locale::global(std::locale(std::locale::classic(), new Grouping));
    std::u16string const grouped = to_user_string(ArraySize{1234567, 2});
    std::locale::global(previous);
    EXPECT_EQ(grouped, u"1,234,567x2");
}

}  // namespace
}  // namespace lang::core
