#include <lang/core/types/array_size.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <boost/lexical_cast.hpp>

#include <cstdint>
#include <locale>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;
using V = std::vector<unsigned long>;

constexpr char const* types = test::types_catalog;

std::string text(ArraySize const& s) { return boost::lexical_cast<std::string>(s); }

TEST(ArraySize, EqualNormalFormsShareOneRecord) {
    unsigned long const raw[] = {2, 3, 1, 1};
    ArraySize const a{2, 3};
    EXPECT_EQ(a.data(), ArraySize(raw, 3).data());
    EXPECT_EQ(a.data(), ArraySize{std::span<unsigned long const>(raw)}.data());
    EXPECT_EQ(ArraySize(raw, 0), ArraySize{0});  // no lengths: empty 0x1
    ArraySize const one{1, 1, 1};
    EXPECT_EQ(one.data()->count(), 0u);
    EXPECT_EQ(text(one), "1, 1");

    EXPECT_EQ((ArraySize{2, 3})(7), 1u);
    EXPECT_EQ((ArraySize{2, 3, 4}).multipliers(), (V{1, 2, 6, 24}));
    EXPECT_EQ((ArraySize{1}).multipliers(), (V{1, 1, 1}));
}

TEST(ArraySize, HashAndElementCountFollowTheStoredLengths) {
    EXPECT_EQ(hash_value(ArraySize{1, 1}), 0u);
    for (V const& lengths : {V{0}, V{2, 3}, V{1, 4}, V{~0UL, 2}, V{1UL << 32, 1UL << 32, 3}}) {
        // Folded over the lengths from h = count.
        std::uint64_t h = lengths.size();
        unsigned long product = 1;
        for (unsigned long k : lengths) h = test::combine(h, k), product *= k;
        ArraySize const s(lengths.data(), lengths.size());
        EXPECT_EQ(hash_value(s), h) << text(s);
        EXPECT_EQ(s.numElements(), product) << text(s);
    }
}

TEST(ArraySize, EqualityOrderAndHashAgree) {
    std::vector<ArraySize> const shapes = {{}, {1}, {5}, {2, 3}, {2, 3, 1}, {2, 4}, {3, 1},
                                           {2, 9}, {2, 3, 2}, {0, 0}, {0, 0, 0}, {~0UL}};
    test::expect_consistent_relations(shapes);
    for (auto const& a : shapes) {
        for (auto const& b : shapes) EXPECT_EQ(a == b, a.data() == b.data()) << a << " vs " << b;
    }
    EXPECT_EQ(compare(ArraySize{0, 0, 0}, ArraySize{0, 0}), 1);  // 0 against the implicit 1
}

TEST(ArraySize, ReplaceAndProductBuildNewShapes) {
    ArraySize s{2, 3};
    s.replace(3, 5);
    EXPECT_EQ(text(s), "2, 3, 1, 5");
    s.replace(3, 1);
    s.replace(1, 1);
    EXPECT_EQ(s, ArraySize{2});

    EXPECT_EQ((ArraySize{2, 3}) * (ArraySize{1, 2, 2}), (ArraySize{2, 6, 2}));
    s *= ArraySize{0, 3, 4};
    EXPECT_EQ(s, (ArraySize{0, 3, 4}));
}

TEST(ArraySize, ReshapeInfersOneZeroLengthOfAnEmptyTarget) {
    ArraySize const s{2, 3};
    EXPECT_EQ(s.reshape({0, 2}), (ArraySize{3, 2}));
    EXPECT_EQ((ArraySize{2, 6}).reshape({2, 0, 3}), (ArraySize{2, 2, 3}));
    EXPECT_EQ((ArraySize{0, 3}).reshape({0, 0}), (ArraySize{0, 0}));
    expect_message([&] { s.reshape({0, 4}); }, types, "InvalidReshape", {"2, 3", "0, 4"});
    // The other lengths wrap to a product of 0: nothing can fill the zero.
    expect_message([&] { s.reshape({1UL << 32, 1UL << 32, 0}); }, types, "InvalidReshape",
                   {"2, 3", "4294967296, 4294967296, 0"});
}

TEST(ArraySize, ChecksRaiseWithTheirShapes) {
    EXPECT_EQ((ArraySize{2, 3}).transpose(), (ArraySize{3, 2}));
    EXPECT_EQ(mtimes({4}, {1, 7}), (ArraySize{4, 7}));
    expect_message([] { (ArraySize{2, 3, 4}).transpose(); }, types, "InvalidMatrix", {"2, 3, 4"});
    expect_message([] { mtimes({2, 3}, {4, 5}); }, types, "InconsistentMultiply", {"2, 3", "4, 5"});
    expect_message([] { mtimes({2, 3}, {3, 5, 2}); }, types, "InvalidMatrix", {"3, 5, 2"});

    EXPECT_EQ((ArraySize{2, 3}).check(5), 6u);
    expect_message([] { (ArraySize{2, 3}).check(6); }, types, "InvalidIndex", {"2, 3", 6L});

    ArraySize const cube{2, 3, 4};
    for (unsigned long d : {1, 3, 5}) cube.checkDim(d);
    expect_message([&] { cube.checkDim(2); }, types, "InconsistentIndexDimension", {2L, "2, 3, 4"});
}

TEST(ArraySize, LastSubscriptSpansTheRemainingDimensions) {
    ArraySize const s{2, 3, 4};
    EXPECT_EQ(V({length(s, 0, 2), length(s, 1, 2), length(s, 2, 2)}), (V{2, 12, 1}));
    EXPECT_EQ(V({length(s, 0, 4), length(s, 2, 4), length(s, 3, 4)}), (V{2, 4, 1}));
}

struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ArraySize, UserTextJoinsLengthsWithXInTheGlobalLocale) {
    EXPECT_EQ(to_user_string(ArraySize{2, 3, 1, 5}), u"2x3x1x5");
    std::locale const previous = std::locale::global(std::locale(std::locale::classic(), new Grouping));
    std::u16string const grouped = to_user_string(ArraySize{1234567, 2});
    std::locale::global(previous);
    EXPECT_EQ(grouped, u"1,234,567x2");
}

}  // namespace
}  // namespace lang::core
