#include <lang/core/constants/tuple.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lang::core {
namespace {

constexpr char const* kConstants = "tarvex:common:lang:core:constants";

TEST(Tuple, PrintsTypesAndTellsEmptiness) {
    Tuple const nested{1, 2.0, Tuple{}, Array<int>(ArraySize{1, 2}), Tuple{true}};
    EXPECT_EQ(test::printed(nested), "{1, 2.0, {}, [0, 0], {true}}");
    EXPECT_EQ(test::printed(value_type(nested)),
              "tuple<integer, real, tuple<>, array<integer, 1, 2>, tuple<logical>>");
    EXPECT_EQ(test::printed(Tuple{}), "{}");

    EXPECT_TRUE(empty(Tuple{}));
    EXPECT_TRUE(empty(Tuple{Array<double>(ArraySize{0, 3}), Tuple{Tuple{}}}));
    EXPECT_FALSE(empty(Tuple{0}));
    EXPECT_FALSE(empty(Tuple{Tuple{}, false}));
    EXPECT_FALSE(empty(Tuple{Tuple{Array<int>(ArraySize{1})}}));
}

TEST(Tuple, ExtractReachesIntoTheListOrRaises) {
    Tuple t{1, 2.0};
    EXPECT_EQ(extract(std::as_const(t), 1), Constant(2.0));
    extract(t, 0) = Tuple{};
    EXPECT_EQ(&extract(t, 1), &t.constants()[1]);
    test::expect_message([&] { extract(t, 2); }, kConstants, "InvalidTupleAccess",
                         {2L, std::string("tuple<tuple<>, real>")});
    test::expect_message([] { extract(Tuple{}, 0); }, kConstants, "InvalidTupleAccess", {0L, std::string("tuple<>")});
    EXPECT_EQ(test::printed(t), "{{}, 2.0}");
}

TEST(Tuple, MakeTupleAndCopiesShareArrayElements) {
    Types types = Type(ScalarType(type::REAL)) + Type(ArrayType(type::INDEX, {2}));
    types += TupleType(Types(ScalarType(type::LOGICAL)));
    Tuple made = make_tuple(TupleType(types));
    EXPECT_EQ(test::printed(made), "{0.0, [0i; 0i], {false}}");
    EXPECT_EQ(value_type(made), TupleType(types));

    using heap = groundwork::core::mem::aligned_heap;
    auto const allocations = heap::allocations();
    Tuple copy = made;
    EXPECT_EQ(heap::allocations(), allocations);
    std::get<Array<unsigned long>>(extract(copy, 1).value()).x()[0] = 3;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(test::printed(copy), "{0.0, [3i; 0i], {false}}");
    EXPECT_EQ(test::printed(made), "{0.0, [0i; 0i], {false}}");
}

}  // namespace
}  // namespace lang::core
