// Shared vectors: copies share one block until the first write.
#include <kbase/shared_vector.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> values(kbase::SharedVector<int> const& v) { return {v.begin(), v.end()}; }

TEST(SharedVector, CopiesShareUntilTheFirstWrite) {
    kbase::SharedVector<int> v(1);
    v.push_back(2);
    kbase::SharedVector<int> w = v;
    EXPECT_TRUE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 2u);

    w.push_back(3);
    EXPECT_EQ(v.use_count(), 1u);
    EXPECT_EQ(values(v), (std::vector<int>{1, 2}));
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3}));

    // Unshared with room: written in place.
    int const* before = w.begin();
    ASSERT_GT(w.capacity(), w.size());
    w.push_back(4);
    EXPECT_EQ(w.begin(), before);

    // Appending to itself from a full block: the source is the block being replaced.
    kbase::SharedVector<int> full(1);
    full.push_back(2);
    ASSERT_EQ(full.capacity(), full.size());
    full.append(full);
    full.push_back(full[0]);
    EXPECT_EQ(values(full), (std::vector<int>{1, 2, 1, 2, 1}));
}

}  // namespace
