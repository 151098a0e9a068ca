#include <lang/core/index/multi_index.hpp>

#include <gtest/gtest.h>

#include <optional>

#include <vector>

namespace lang::core {
namespace {

using Subscripts = std::vector<unsigned long>;

// The same answer as a std::optional, which the test framework can print.
std::optional<std::vector<unsigned long>> std_optional(boost::optional<std::vector<unsigned long>> const& o) {
    return o ? std::optional(*o) : std::nullopt;
}

TEST(ToMultiIndex, SplitsAPositionOrGivesNoneOutsideTheSize) {
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{2, 3}, 5, 2)), Subscripts({1, 2}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{2, 3}, 5, 1)), Subscripts({5}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{2, 3}, 5, 3)), Subscripts({1, 2, 0}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{2, 3, 4}, 23, 2)), Subscripts({1, 11}));
    EXPECT_FALSE(to_multi_index(ArraySize{2, 3}, 6, 2));
    EXPECT_FALSE(to_multi_index(ArraySize{0, 3}, 0, 2));

    // Without a count: one subscript for a column vector, else one per dimension.
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{4, 1}, 3)), Subscripts({3}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{1, 1}, 0)), Subscripts({0}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{1, 4}, 3)), Subscripts({0, 3}));
    EXPECT_EQ(std_optional(to_multi_index(ArraySize{2, 3, 4}, 23)), Subscripts({1, 2, 3}));
    EXPECT_FALSE(to_multi_index(ArraySize{2, 3}, 6));
}

TEST(ToMultiIndex, SubscriptsRecomposeToThePosition) {
    for (std::vector<unsigned long> lengths : {Subscripts{3, 1, 2, 2}, Subscripts{1, 5}, Subscripts{2, 3, 1}}) {
        ArraySize const size(lengths);
        unsigned long const dims = lengths.size();
        for (unsigned long n = 1; n <= dims + 1; ++n) {
            // Extent of each subscript: its own dimension, the last one
            // everything from there on.
            lengths.resize(std::max<std::size_t>(lengths.size(), n), 1);
            std::vector<unsigned long> extent(lengths.begin(), lengths.begin() + n);
            for (unsigned long j = n; j < lengths.size(); ++j) extent[n - 1] *= lengths[j];

            for (unsigned long linear = 0; linear < size.numElements(); ++linear) {
                auto const subs = to_multi_index(size, linear, n);
                ASSERT_TRUE(subs);
                ASSERT_EQ(subs->size(), n);
                unsigned long recomposed = 0;
                unsigned long stride = 1;
                for (unsigned long k = 0; k < n; ++k) {
                    EXPECT_LT((*subs)[k], extent[k]) << size << " n=" << n << " at " << linear;
                    recomposed += (*subs)[k] * stride;
                    stride *= extent[k];
                }
                EXPECT_EQ(recomposed, linear) << size << " n=" << n;
            }
        }
    }
}

}  // namespace
}  // namespace lang::core
