// SPDX-License-Identifier: Apache-2.0
// Array sizes: one interned record per normal form, hash, order, derived
// shapes, the checks that raise with them, and the user's text.
#include <lang/core/types/array_size.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <locale>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;
using V = std::vector<unsigned long>;

TEST(ArraySize, EqualNormalFormsShareOneRecordWhoseLengthsGiveHashAndCount) {
    unsigned long const raw[] = {2, 3, 1, 1};
    ArraySize const s{2, 3};
    EXPECT_EQ(s.data(), ArraySize(raw, 3).data());
    EXPECT_EQ(s.data(), ArraySize{std::span<unsigned long const>(raw)}.data());
    EXPECT_EQ(ArraySize(raw, 0), ArraySize{0});  // no lengths: empty 0x1
    EXPECT_EQ((ArraySize{1, 1, 1}).data()->count(), 0u);
    EXPECT_EQ(printed(ArraySize{1, 1, 1}), "1, 1");

    EXPECT_EQ(s(7), 1u);
    EXPECT_EQ((ArraySize{2, 3, 4}).multipliers(), (V{1, 2, 6, 24}));
    EXPECT_EQ((ArraySize{1}).multipliers(), (V{1, 1, 1}));

    // The hash folds the stored lengths from h = their count and the element
    // count is their product. As == compares records and compare() lengths,
    // the law check also shows that equal shapes share one record.
    std::vector<ArraySize> const shapes = {{}, {1}, {1, 1}, {5}, {0}, {2, 3}, {2, 3, 1}, {1, 4}, {2, 4}, {3, 1}, {2, 9},
                                           {2, 3, 2}, {0, 0}, {0, 0, 0}, {~0UL}, {~0UL, 2}, {1UL << 32, 1UL << 32, 3}};
    expect_consistent_relations(shapes);
    for (auto const& a : shapes) {
        std::uint64_t h = a.data()->count();
        unsigned long product = 1;
        for (unsigned long k : a.data()->lengths()) h = combine(h, k), product *= k;
        EXPECT_EQ(hash_value(a), h) << a;
        EXPECT_EQ(a.numElements(), product) << a;
    }
    EXPECT_EQ(compare(ArraySize{0, 0, 0}, ArraySize{0, 0}), 1);  // 0 against the implicit 1
}

struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ArraySize, DerivedShapesRaisingChecksAndUserText) {
    ArraySize s{2, 3};
    s.replace(3, 5);
    EXPECT_EQ(printed(s), "2, 3, 1, 5");
    s.replace(3, 1);
    s.replace(1, 1);
    EXPECT_EQ(s, ArraySize{2});

    EXPECT_EQ((ArraySize{2, 3}) * (ArraySize{1, 2, 2}), (ArraySize{2, 6, 2}));

    // A last subscript spans the remaining dimensions.
    ArraySize const t{2, 3, 4};
    EXPECT_EQ(V({length(t, 0, 2), length(t, 1, 2), length(t, 2, 2)}), (V{2, 12, 1}));
    EXPECT_EQ(V({length(t, 0, 4), length(t, 2, 4), length(t, 3, 4)}), (V{2, 4, 1}));

    // Reshaping infers one zero length of the target; the other operations
    // check their operands and raise with the shapes involved.
    s = ArraySize{2, 3};
    EXPECT_EQ(s.reshape({0, 2}), (ArraySize{3, 2}));
    EXPECT_EQ((ArraySize{2, 6}).reshape({2, 0, 3}), (ArraySize{2, 2, 3}));
    EXPECT_EQ((ArraySize{0, 3}).reshape({0, 0}), (ArraySize{0, 0}));
    expect_message([&] { s.reshape({0, 4}); }, types_catalog, "InvalidReshape", {"2, 3", "0, 4"});
    // The other lengths wrap to a product of 0: nothing can fill the zero.
    expect_message([&] { s.reshape({1UL << 32, 1UL << 32, 0}); }, types_catalog, "InvalidReshape",
                   {"2, 3", "4294967296, 4294967296, 0"});

    EXPECT_EQ((ArraySize{2, 3}).transpose(), (ArraySize{3, 2}));
    EXPECT_EQ(mtimes({4}, {1, 7}), (ArraySize{4, 7}));
    expect_message([] { (ArraySize{2, 3, 4}).transpose(); }, types_catalog, "InvalidMatrix", {"2, 3, 4"});
    expect_message([] { mtimes({2, 3}, {4, 5}); }, types_catalog, "InconsistentMultiply", {"2, 3", "4, 5"});
    expect_message([] { mtimes({2, 3}, {3, 5, 2}); }, types_catalog, "InvalidMatrix", {"3, 5, 2"});

    EXPECT_EQ((ArraySize{2, 3}).check(5), 6u);
    expect_message([] { (ArraySize{2, 3}).check(6); }, types_catalog, "InvalidIndex", {"2, 3", 6L});

    ArraySize const cube{2, 3, 4};
    for (unsigned long d : {1, 3, 5}) cube.checkDim(d);
    expect_message([&] { cube.checkDim(2); }, types_catalog, "InconsistentIndexDimension", {2L, "2, 3, 4"});

    // The user's text joins the lengths with x, grouping digits by the global locale.
    EXPECT_EQ(to_user_string(ArraySize{2, 3, 1, 5}), u"2x3x1x5");
    std::locale const previous = std::locale::global(std::locale(std::locale::classic(), new Grouping));
    std::u16string const grouped = to_user_string(ArraySize{1234567, 2});
    std::locale::global(previous);
    EXPECT_EQ(grouped, u"1,234,567x2");
}

}  // namespace
}  // namespace lang::core
