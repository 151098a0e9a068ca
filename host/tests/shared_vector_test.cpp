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

TEST(SharedVector, AppendingToASharedCopyLeavesTheOtherUnchanged) {
    Probes v = make({1, 2});
    Probes w = v;
    EXPECT_EQ(v.use_count(), 2u);
    w.push_back(Probe(3));
    EXPECT_EQ(values(v), (std::vector<int>{1, 2}));
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 1u);

    // Unshared with room: the append happens in place.
    Probe const* before = w.begin();
    ASSERT_GT(w.capacity(), w.size());
    w.push_back(Probe(9));
    EXPECT_EQ(w.begin(), before);

    // Appending to itself appends what it held; the pushed element may live
    // in the very block that is being replaced.
    Probes full = make({1, 2});
    ASSERT_EQ(full.capacity(), full.size());
    full.append(full);
    EXPECT_EQ(values(full), (std::vector<int>{1, 2, 1, 2}));
    Probes roomy = make({1, 2, 3});
    ASSERT_GE(roomy.capacity(), 6u);
    roomy.append(roomy);
    EXPECT_EQ(values(roomy), (std::vector<int>{1, 2, 3, 1, 2, 3}));
    Probes pushed = make({1, 2});
    pushed.push_back(pushed[0]);
    EXPECT_EQ(values(pushed), (std::vector<int>{1, 2, 1}));
}

TEST(SharedVector, BlocksGrowToTheSmallestPowerOfTwo) {
    // Hand-derived: 24 + 16 bytes fit in 64 (5 doubles).
    SharedVector<double> d(1.0);
    d.push_back(2.0);
    EXPECT_EQ(d.capacity(), 5u);

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

    // Empty vectors allocate nothing, even when appended to each other.
    SharedVector<int> a, b;
    a.append(b);
    EXPECT_EQ(a.capacity(), 0u);
    EXPECT_EQ(a.begin(), a.end());
}

TEST(SharedVector, AThrowingCopyLeavesTheVectorUnchanged) {
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
                EXPECT_EQ(values(shared), c == PushShared ? original : std::vector<int>());
            }
            Probe::copies_left = -1;
        }
    }
}

TEST(SharedVector, ElementsAreDestroyedLastToFirstByTheLastOwner) {
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
}

TEST(SharedVector, ComparesElementWiseWithPrefixFirst) {
    Probes const a = make({1, 2}), same = make({1, 2}), longer = make({1, 2, 3}), bigger = make({1, 3}), empty;
    EXPECT_EQ(compare(a, same), 0);
    EXPECT_EQ(compare(a, longer), 1);
    EXPECT_EQ(compare(longer, a), 2);
    EXPECT_EQ(compare(bigger, longer), 2);
    EXPECT_EQ(compare(empty, a), 1);
    EXPECT_TRUE(a == same && a != bigger && a < longer && longer <= bigger && bigger > a && a >= same);
}

}  // namespace
