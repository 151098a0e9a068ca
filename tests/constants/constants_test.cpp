#include <lang/core/constants/constants.hpp>

#include "test_support/values.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace lang::core {
namespace {

std::string printed(Constants const& list) { return test::printed(Tuple(list)); }

TEST(Constants, MadeElementsAreEmptyTuples) {
    Constants list(3);
    EXPECT_EQ(printed(list), "{{}, {}, {}}");
    list.resize(5);
    EXPECT_EQ(printed(list), "{{}, {}, {}, {}, {}}");
    list.resize(1);
    list.resize(3, 2.5);
    EXPECT_EQ(printed(list), "{{}, 2.5, 2.5}");
    list.insert(list.begin() + 1, 2, Constant(1UL));
    list.erase(list.end() - 2, list.end());
    EXPECT_EQ(printed(list), "{{}, 1i, 1i}");

    try {
        std::as_const(list).at(3);
        ADD_FAILURE() << "no std::out_of_range";
    } catch (std::out_of_range const& e) {
        EXPECT_STREQ(e.what(), "vector::_M_range_check: __n (which is 3) >= this->size() (which is 3)");
    }
}

TEST(Constants, AppendCopiesOrMovesInOrder) {
    Constants a{1, 2};
    Constants const b{3.0};
    a += b;
    a += a;
    EXPECT_EQ(printed(a), "{1, 2, 3.0, 1, 2, 3.0}");
    a += Constants{true};
    EXPECT_EQ(printed(a), "{1, 2, 3.0, 1, 2, 3.0, true}");
    EXPECT_EQ(printed(b), "{3.0}");
}

TEST(Constants, ComparesLexicographically) {
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{1, 2}, Constants{1}), 2);
    EXPECT_EQ(compare(Constants{2}, Constants{1, 5}), 2);
    EXPECT_EQ(compare(Constants(), Constants()), 0);
    EXPECT_EQ(compare(Constants(), Constants{1}), 1);
    EXPECT_EQ(compare(Constants{test::nan, 0}, Constants{1.0, 9}), 3);
    EXPECT_EQ(Constants({1, 2.0}), Constants({1, 2.0}));
    EXPECT_NE(Constants({1, 2.0}), Constants({1, 2}));
    EXPECT_NE(Constants{1}, Constants({1, 1}));
    EXPECT_TRUE(equal_ignore_annotation(Constants{-0.0}, Constants{0.0}));
}

TEST(Constants, HashAndDigestAreThoseOfTheElementsInOrder) {
    Constant const a = 1;
    Constant const b = Tuple{2.0};
    EXPECT_EQ(hash_value(Constants()), 0u);
    EXPECT_EQ(hash_value(Constants{a, b}), test::combine(test::combine(0, hash_value(a)), hash_value(b)));
    EXPECT_EQ(test::digest(Constants()), "");
    EXPECT_EQ(test::digest(Constants{a, b}), test::digest(a) + test::digest(b));
}

}  // namespace
}  // namespace lang::core
