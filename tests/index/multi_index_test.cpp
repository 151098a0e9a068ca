// to_multi_index: a position split into subscripts, or none outside the size.
#include <lang/core/index/multi_index.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace lang::core {
namespace {

using List = std::vector<unsigned long>;
using Subscripts = std::optional<List>;

// The same answer as a std::optional, which the test framework can print.
Subscripts split(boost::optional<std::vector<unsigned long>> const& o) { return o ? Subscripts(*o) : std::nullopt; }

TEST(ToMultiIndex, SplitsAPositionOrGivesNoneOutsideTheSize) {
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 5, 3)), (List{1, 2, 0}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23, 2)), (List{1, 11}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3}, 6, 2)), std::nullopt);
    EXPECT_EQ(split(to_multi_index(ArraySize{0, 3}, 0, 2)), std::nullopt);

    // Without a count: one subscript for a column vector, else one per dimension.
    EXPECT_EQ(split(to_multi_index(ArraySize{4, 1}, 3)), (List{3}));
    EXPECT_EQ(split(to_multi_index(ArraySize{2, 3, 4}, 23)), (List{1, 2, 3}));
}

}  // namespace
}  // namespace lang::core
