// SPDX-License-Identifier: Apache-2.0
// Constants to and from the raw layout external functions work on.
#include <lang/core/ext/raw_value.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <variant>

namespace lang::core {
namespace {

using namespace test;

TEST(RawValue, LayoutMatchesTheWidthsOfEachKindAndWritableViewsUnshare) {
    // [1 3; 2 4] is stored column by column.
    Constant const matrix = make<int>({2, 2}, {1, 2, 3, 4});
    std::int32_t const columns[] = {1, 2, 3, 4};
    EXPECT_EQ(std::memcmp(create_value_ptr(matrix).get(), columns, sizeof columns), 0);

    Constant const pair = Tuple{true, make<double>({1, 3}, {0.5, -1.0, 2.0})};
    auto const pairView = create_value_ptr(pair);
    auto const pointers = static_cast<void const* const*>(pairView.get());
    EXPECT_EQ(*static_cast<unsigned char const*>(pointers[0]), 1);
    double const reals[] = {0.5, -1.0, 2.0};
    EXPECT_EQ(std::memcmp(pointers[1], reals, sizeof reals), 0);

    // Any nonzero byte is a true logical.
    unsigned char const logicals[] = {0, 1, 2};
    EXPECT_EQ(create_constant(ArrayType(type::LOGICAL, {1, 3}), logicals), (make<bool>({1, 3}, {false, true, true})));
    // The void type reads nothing at all.
    EXPECT_EQ(create_constant(Type(), nullptr), Constant(Tuple{}));

    // A read-only view never copies; a writable one copies a shared block, once.
    Constant const original = make<double>({2, 1}, {1.0, 2.0});
    Constant copy = original;
    unsigned long const allocations = heap::allocations();
    EXPECT_EQ(create_value(std::as_const(copy)), std::get<Array<double>>(original.value()).x());
    static_cast<double*>(create_value(copy))[1] = 9.0;
    static_cast<double*>(create_value(copy))[0] = 8.0;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(copy, (make<double>({2, 1}, {8.0, 9.0})));

    // Tuple elements go through the same writable path.
    Constant tuple = Tuple{original, 3};
    {
        auto const view = create_value_ptr(tuple);
        auto const pointers = static_cast<void* const*>(view.get());
        static_cast<double*>(pointers[0])[0] = -1.0;
        *static_cast<int*>(pointers[1]) = 4;
    }
    EXPECT_EQ(tuple, (Tuple{make<double>({2, 1}, {-1.0, 2.0}), 4}));
    // Neither write reached the original.
    EXPECT_EQ(original, (make<double>({2, 1}, {1.0, 2.0})));
}

TEST(RawValue, GeneratedValuesSurviveTheRoundTripBitForBitAndNothingLeaks) {
    unsigned long const live = heap::live();
    for (Constant const& c : generated_constants()) {
        Type const t = value_type(c);
        SCOPED_TRACE(printed(c));
        Constant const back = create_constant(t, create_value_ptr(c).get());
        // Copied out into another constant's view; printed forms show the
        // type and the sign of a zero, which equality does not.
        Constant target = make_constant(t);
        copy_from_constant(create_value_ptr(target).get(), back);
        EXPECT_EQ(printed(back), printed(c));
        EXPECT_EQ(printed(target), printed(c));
    }

    // Invalid types raise, and what was read before the failure is freed.
    double real = 1.5;
    EXPECT_THROW(create_constant(ScalarType(type::INVALID), &real), std::logic_error);
    EXPECT_THROW(create_constant(ArrayType(type::INVALID, {2, 2}), &real), std::logic_error);
    // The array element is read before the second element fails; it must not leak.
    void const* const pointers[] = {&real, &real};
    Type const broken = TupleType(Types(ArrayType(type::REAL, {1, 1})) + ScalarType(static_cast<type::Id>(7)));
    EXPECT_THROW(create_constant(broken, pointers), std::logic_error);
    EXPECT_EQ(heap::live(), live);
}

}  // namespace
}  // namespace lang::core
