// SPDX-License-Identifier: Apache-2.0
// Element access: extract reaches into a tuple, assign overwrites a constant
// in place, copying shared storage once and checking before writing, and the
// constant iterator visits an array's elements.
#include <lang/core/index/constant_iterator.hpp>
#include <lang/core/index/element_access.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

// Extract reaches into a tuple only; assigning a tuple writes each element
// in place.
TEST(ElementAccess, TupleElementsAreReachedAndAssignedInPlace) {
    Constant const kept = make<double>({1, 2}, {1, 2});
    Constant pair = Tuple{1, kept};
    extract(pair, 0) = Constant(5);
    Constant const* element = &extract(std::as_const(pair), 1);
    EXPECT_EQ(element, &std::get<Tuple>(pair.value()).constants()[1]);
    EXPECT_EQ(extract(pair, 0), Constant(5));
    expect_message([&] { extract(pair, 2); }, constants_catalog, "InvalidTupleAccess",
                   {2L, "tuple<integer, array<real, 1, 2>>"});
    expect_message([] { extract(Constant(1.0), 0); }, constants_catalog, "InvalidExtract", {"real"});

    assign(pair, Tuple{2, make<double>({1, 2}, {5, 6})});
    EXPECT_EQ(extract(pair, 0), Constant(2));
    EXPECT_EQ(&extract(pair, 1), element);
    EXPECT_EQ(*element, make<double>({1, 2}, {5, 6}));
    EXPECT_EQ(kept, make<double>({1, 2}, {1, 2}));
}

// The first assignment copies the shared block; the next writes that block,
// which does not share the source's. A wrong kind or size changes nothing.
TEST(ElementAccess, AssignCopiesSharedStorageOnceAndChecksBeforeWriting) {
    Constant const original = make<unsigned long>({2, 2}, {1, 2, 3, 4});
    Constant const source = make<unsigned long>({2, 2}, {5, 6, 7, 8});
    Constant target = original;
    unsigned long const allocations = heap::allocations();
    assign(target, source);
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(target, source);
    unsigned long const* block = std::get<Array<unsigned long>>(target.value()).x();
    assign(target, original);
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(std::get<Array<unsigned long>>(target.value()).x(), block);
    EXPECT_EQ(target, original);
    EXPECT_EQ(original, make<unsigned long>({2, 2}, {1, 2, 3, 4}));

    expect_message([&] { assign(target, Array<int>({2, 2})); }, constants_catalog, "InvalidAssign",
                   {"array<index, 2, 2>", "array<integer, 2, 2>"});
    expect_message([&] { assign(target, Array<unsigned long>({2, 1})); }, types_catalog, "InconsistentSize",
                   {"2, 2", "2, 1"});
    EXPECT_EQ(target, original);
    // A tuple is checked whole before any element is written.
    Tuple pair{1, 2.0};
    expect_message([&] { assign(pair, Tuple{3, 4}); }, constants_catalog, "InvalidAssign",
                   {"tuple<integer, real>", "tuple<integer, integer>"});
    EXPECT_EQ(Constant(pair), Constant(Tuple{1, 2.0}));
}

TEST(ConstantIterator, VisitsAnArrayInStorageOrderAndOnlyAnArrayHasAnEnd) {
    Constant const matrix = make<int>({2, 3}, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(std::vector<Constant>(matrix.begin(), matrix.end()), (std::vector<Constant>{1, 2, 3, 4, 5, 6}));
    ConstantIterator it = matrix.begin();
    it.advance(4);
    EXPECT_EQ(*--it, Constant(4));
    EXPECT_EQ(std::next(it, 3), matrix.end());
    // Iterators of two equal constants are not interchangeable.
    Constant const copy = matrix;
    EXPECT_NE(copy.begin(), matrix.begin());

    expect_message([] { Constant(Tuple{}).end(); }, constants_catalog, "InvalidArray", {"tuple<>"});
}

}  // namespace
}  // namespace lang::core
