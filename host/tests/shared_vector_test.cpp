#include <kbase/shared_vector.hpp>

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace {

using kbase::SharedVector;

// An element that counts live instances, logs destructions, and can be told
// to let `copies_left` copies succeed and fail the next one.
struct Probe {
    int value;

    static inline int alive = 0;
    static inline int copies_left = -1;  // negative: never fail
    static inline std::vector<int> destroyed;

    explicit Probe(int v) : value(v) { ++alive; }
    Probe(Probe const& other) : value(other.value) {
        if (copies_left == 0) throw std::runtime_error("copy failed");
        if (copies_left > 0) --copies_left;
        ++alive;
    }
    Probe& operator=(Probe const&) = delete;
    ~Probe() {
        --alive;
        destroyed.push_back(value);
    }

    friend bool operator==(Probe const& a, Probe const& b) { return a.value == b.value; }
    friend int compare(Probe const& a, Probe const& b) { return a.value == b.value ? 0 : a.value < b.value ? 1 : 2; }
};

struct Wide {
    long a, b, c;
};

using Probes = SharedVector<Probe>;

Probes make(std::initializer_list<int> values) {
    Probes v;
    for (int x : values) v.push_back(Probe(x));
    return v;
}

std::vector<int> values(Probes const& v) {
    std::vector<int> out;
    for (Probe const& p : v) out.push_back(p.value);
    return out;
}

// Capacity of a fresh block for n elements: the smallest power-of-two block
// holding the 24-byte header and n slots, filled with whole slots.
template <class T>
unsigned long expected_capacity(unsigned long n) {
    unsigned long bytes = 1;
    while (bytes < 24 + n * sizeof(T)) bytes *= 2;
    return (bytes - 24) / sizeof(T);
}

class SharedVectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Probe::copies_left = -1;
        Probe::destroyed.clear();
    }
    void TearDown() override { Probe::copies_left = -1; }
};

TEST_F(SharedVectorTest, AppendingToASharedCopyLeavesTheOtherUnchanged) {
    Probes v = make({1, 2});
    Probes w = v;
    EXPECT_TRUE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 2u);

    w.push_back(Probe(3));
    EXPECT_EQ(values(v), (std::vector<int>{1, 2}));
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 1u);

    Probes x = w;
    w.append(v);
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3, 1, 2}));
    EXPECT_EQ(values(x), (std::vector<int>{1, 2, 3}));

    // Unshared with room: the append happens in place.
    Probe const* before = w.begin();
    ASSERT_GT(w.capacity(), w.size());
    w.push_back(Probe(9));
    EXPECT_EQ(w.begin(), before);
}

TEST_F(SharedVectorTest, BlocksGrowToTheSmallestPowerOfTwo) {
    // Hand-derived: 24 + 4 bytes fit in 32 (2 ints); 24 + 16 in 64 (5 doubles);
    // 24 + 48 in 128 (4 triples of longs).
    EXPECT_EQ(SharedVector<int>(1).capacity(), 2u);
    SharedVector<double> d(1.0);
    EXPECT_EQ(d.capacity(), 1u);
    d.push_back(2.0);
    EXPECT_EQ(d.capacity(), 5u);
    SharedVector<Wide> w(Wide{1, 2, 3});
    w.push_back(Wide{4, 5, 6});
    EXPECT_EQ(w.capacity(), 4u);

    SharedVector<int> ints;
    SharedVector<Wide> wides;
    unsigned long int_capacity = 0, wide_capacity = 0;
    for (unsigned long n = 1; n <= 300; ++n) {
        ints.push_back(static_cast<int>(n));
        wides.push_back(Wide{});
        if (n > int_capacity) int_capacity = expected_capacity<int>(n);
        if (n > wide_capacity) wide_capacity = expected_capacity<Wide>(n);
        ASSERT_EQ(ints.capacity(), int_capacity) << n << " ints";
        ASSERT_EQ(wides.capacity(), wide_capacity) << n << " wides";
    }
    for (unsigned long i = 0; i < ints.size(); ++i) ASSERT_EQ(ints[i], static_cast<int>(i + 1));

    // A copy-on-write append sizes the new block for what it needs now.
    SharedVector<int> shared = ints;
    shared.push_back(0);
    EXPECT_EQ(shared.capacity(), expected_capacity<int>(301));
    SharedVector<int> appended;
    appended.append(ints);
    EXPECT_EQ(appended.capacity(), expected_capacity<int>(300));
}

TEST_F(SharedVectorTest, EmptyVectorsAllocateNothing) {
    SharedVector<int> a, b;
    a.append(b);
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.capacity(), 0u);
    EXPECT_TRUE(a.shares_block_with(b));
    EXPECT_EQ(a.begin(), a.end());
}

TEST_F(SharedVectorTest, SelfAppendDoublesTheElements) {
    Probes v = make({1, 2, 3});
    Probes const before = v;
    v.append(v);
    EXPECT_EQ(values(v), (std::vector<int>{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(values(before), (std::vector<int>{1, 2, 3}));

    Probes one = make({7});
    ASSERT_GE(one.capacity(), 2u);
    one.append(one);
    EXPECT_EQ(values(one), (std::vector<int>{7, 7}));

    // The pushed element lives in the block that is being replaced.
    Probes full = make({1, 2});
    ASSERT_EQ(full.capacity(), full.size());
    full.push_back(full[0]);
    EXPECT_EQ(values(full), (std::vector<int>{1, 2, 1}));
}

TEST_F(SharedVectorTest, AThrowingCopyLeavesTheVectorUnchanged) {
    enum Case { PushFull, PushShared, AppendInPlace, AppendGrowing };
    for (Case c : {PushFull, PushShared, AppendInPlace, AppendGrowing}) {
        bool succeeded = false;
        for (int k = 0; !succeeded; ++k) {
            ASSERT_LT(k, 20) << "case " << c << " never succeeded";
            Probes v = c == AppendInPlace ? make({1, 2, 3}) : make({1, 2});
            Probes const other = make({5, 6});
            Probes const shared = c == PushShared ? v : Probes();
            std::vector<int> const original = values(v);
            int const alive = Probe::alive;

            Probe::copies_left = k;
            try {
                if (c == AppendInPlace || c == AppendGrowing) {
                    v.append(other);
                } else {
                    v.push_back(other[0]);
                }
                succeeded = true;
            } catch (std::runtime_error const&) {
                Probe::copies_left = -1;
                EXPECT_EQ(values(v), original) << "case " << c << ", copy " << k;
                EXPECT_EQ(Probe::alive, alive) << "case " << c << ", copy " << k;
                if (c == PushShared) {
                    EXPECT_EQ(values(shared), original);
                }
            }
            Probe::copies_left = -1;
        }
    }
}

TEST_F(SharedVectorTest, ElementsAreDestroyedLastToFirstByTheLastOwner) {
    {
        Probes w;
        {
            Probes v = make({1, 2, 3});
            w = v;
            Probe::destroyed.clear();
        }
        EXPECT_TRUE(Probe::destroyed.empty());
    }
    EXPECT_EQ(Probe::destroyed, (std::vector<int>{3, 2, 1}));

    Probes full = make({1, 2});
    ASSERT_EQ(full.capacity(), 2u);
    Probe const three(3);
    Probe::destroyed.clear();
    full.push_back(three);
    ASSERT_GE(Probe::destroyed.size(), 2u);
    EXPECT_EQ(Probe::destroyed[0], 2);
    EXPECT_EQ(Probe::destroyed[1], 1);
}

TEST_F(SharedVectorTest, ComparesElementWiseWithPrefixFirst) {
    Probes const a = make({1, 2}), same = make({1, 2}), longer = make({1, 2, 3}), bigger = make({1, 3}), empty;
    EXPECT_EQ(a, same);
    EXPECT_EQ(compare(a, same), 0);
    EXPECT_NE(a, bigger);
    EXPECT_EQ(compare(a, longer), 1);
    EXPECT_EQ(compare(longer, a), 2);
    EXPECT_EQ(compare(bigger, longer), 2);
    EXPECT_EQ(compare(empty, a), 1);
    EXPECT_TRUE(a < longer && longer <= bigger && bigger > a && a >= same && !(a < same));
}

}  // namespace
