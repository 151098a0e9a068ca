#include <lang/core/index/element_access.hpp>

#include "test_support/values.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace lang::core {
namespace {

using groundwork::core::mem::aligned_heap;
using namespace test;

TEST(ElementAccess, ExtractReachesIntoATupleOnly) {
    Constant pair = Tuple{1, make<double>({1, 2}, {1, 2})};
    extract(pair, 0) = Constant(5);
    EXPECT_EQ(&extract(std::as_const(pair), 1), &std::get<Tuple>(pair.value()).constants()[1]);
    EXPECT_EQ(extract(pair, 0), Constant(5));

    expect_message([&] { extract(pair, 2); }, constants_catalog, "InvalidTupleAccess",
                   {2L, "tuple<integer, array<real, 1, 2>>"});
    expect_message([] { extract(Constant(1.0), 0); }, constants_catalog, "InvalidExtract", {"real"});
}

TEST(ElementAccess, AssignOverwritesInPlaceOnceExclusive) {
    Constant const original = make<unsigned long>({2, 2}, {1, 2, 3, 4});
    Constant target = original;
    Constant const source = make<unsigned long>({2, 2}, {5, 6, 7, 8});
    unsigned long const allocations = aligned_heap::allocations();
    assign(target, source);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 1);  // target's own copy
    EXPECT_EQ(target, source);
    // Exclusive now: the next assignment writes the same block, and it does
    // not share the source's.
    unsigned long const* block = std::get<Array<unsigned long>>(target.value()).x();
    assign(target, original);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 1);
    EXPECT_EQ(std::get<Array<unsigned long>>(target.value()).x(), block);
    EXPECT_EQ(target, original);
    EXPECT_EQ(original, make<unsigned long>({2, 2}, {1, 2, 3, 4}));
}

TEST(ElementAccess, AssignRejectsOtherKindsAndSizesAndChangesNothing) {
    Constant wide = make<double>({3, 2}, {1, 2, 3, 4, 5, 6});
    Constant const before = wide;
    expect_message([&] { assign(wide, Array<double>({2, 3})); }, types_catalog, "InconsistentSize", {"3, 2", "2, 3"});
    expect_message([&] { assign(wide, Array<int>({3, 2})); }, constants_catalog, "InvalidAssign",
                   {"array<real, 3, 2>", "array<integer, 3, 2>"});
    EXPECT_EQ(wide, before);
    // A tuple is checked whole before any element is written.
    Tuple pair{1, 2.0};
    expect_message([&] { assign(pair, Tuple{3, 4}); }, constants_catalog, "InvalidAssign",
                   {"tuple<integer, real>", "tuple<integer, integer>"});
    EXPECT_EQ(Constant(pair), Constant(Tuple{1, 2.0}));
}

TEST(ElementAccess, TupleAssignmentWritesEachElementInPlace) {
    Constant const kept = make<double>({1, 2}, {1, 2});
    Constant whole = Tuple{1, kept};
    Constant const* element = &extract(whole, 1);
    assign(whole, Tuple{2, make<double>({1, 2}, {5, 6})});
    EXPECT_EQ(extract(whole, 0), Constant(2));
    EXPECT_EQ(&extract(whole, 1), element);
    EXPECT_EQ(*element, make<double>({1, 2}, {5, 6}));
    EXPECT_EQ(kept, make<double>({1, 2}, {1, 2}));
}

}  // namespace
}  // namespace lang::core
