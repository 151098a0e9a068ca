// Constants, the list, and Tuple, the value made of one.
#include <lang/core/constants/constants.hpp>

#include "test_support/values.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lang::core {
namespace {

using namespace test;

std::string printed(Constants const& list) { return test::printed(Tuple(list)); }

TEST(Constants, MadeElementsAreEmptyTuplesAndSelfAppendDoubles) {
    Constants list(2);
    list.resize(3, 2.5);
    EXPECT_EQ(printed(list), "{{}, {}, 2.5}");

    Constants a{1, 2};
    Constants const b{3.0};
    a += b;
    a += a;
    a += Constants{true};
    EXPECT_EQ(printed(a), "{1, 2, 3.0, 1, 2, 3.0, true}");
    EXPECT_EQ(printed(b), "{3.0}");
}

TEST(Constants, OrderHashAndDigestFollowTheElementsInOrder) {
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{nan, 0}, Constants{1.0, 9}), 3);
    Constant const a = 1;
    Constant const b = Tuple{2.0};
    EXPECT_EQ(hash_value(Constants()), 0u);
    EXPECT_EQ(hash_value(Constants{a, b}), combine(combine(0, hash_value(a)), hash_value(b)));
    EXPECT_EQ(digest(Constants()), "");
    EXPECT_EQ(digest(Constants{a, b}), digest(a) + digest(b));
}

TEST(Tuple, MakeExtractAndCopiesThatShareArrayElements) {
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

    EXPECT_EQ(&extract(std::as_const(copy), 2), &copy.constants()[2]);
    expect_message([&] { extract(copy, 3); }, constants_catalog, "InvalidTupleAccess",
                   {3L, "tuple<real, array<index, 2, 1>, tuple<logical>>"});
}

}  // namespace
}  // namespace lang::core
