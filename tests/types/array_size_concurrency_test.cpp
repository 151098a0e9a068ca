#include <lang/core/types/array_size.hpp>

#include <gtest/gtest.h>

#include <latch>
#include <set>
#include <thread>
#include <vector>

namespace lang::core {
namespace {

TEST(ArraySizeConcurrency, ThreadsBuildingEqualShapesGetOneRecord) {
    constexpr unsigned threads = 8;
    constexpr unsigned shapes = 300;
    // Coprime with `shapes`, so that each thread visits every shape once.
    constexpr unsigned strides[threads] = {1, 7, 11, 13, 17, 19, 23, 29};

    // Shape i is built by every thread, in a different order, and half the
    // time with trailing 1s that normalise away. The lengths are large so
    // that no other test has interned these shapes already.
    auto lengths = [](unsigned i, unsigned thread) {
        std::vector<unsigned long> l{1000003UL + i % 17, 7UL + i};
        if ((i + thread) % 2 == 0) l.insert(l.end(), 1 + thread % 3, 1UL);
        return l;
    };

    std::vector<std::vector<ArraySize::Record const*>> seen(threads, std::vector<ArraySize::Record const*>(shapes));
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            for (unsigned k = 0; k < shapes; ++k) {
                unsigned const i = (k * strides[t] + t * 37) % shapes;
                auto const l = lengths(i, t);
                seen[t][i] = ArraySize(l.data(), l.size()).data();
            }
        });
    }
    for (auto& w : workers) w.join();

    std::set<ArraySize::Record const*> distinct;
    for (unsigned i = 0; i < shapes; ++i) {
        for (unsigned t = 1; t < threads; ++t) ASSERT_EQ(seen[t][i], seen[0][i]) << "shape " << i << ", thread " << t;
        EXPECT_EQ(seen[0][i]->count(), 2u);
        EXPECT_EQ(seen[0][i]->lengths()[1], 7UL + i);
        distinct.insert(seen[0][i]);
    }
    EXPECT_EQ(distinct.size(), shapes);
}

}  // namespace
}  // namespace lang::core
