#include <lang/core/types/array_size.hpp>

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

namespace lang::core {
namespace {

TEST(ArraySizeConcurrency, ThreadsBuildingEqualShapesGetOneRecord) {
    constexpr unsigned threads = 8, shapes = 300;
    std::vector<std::vector<ArraySize::Record const*>> seen(threads, std::vector<ArraySize::Record const*>(shapes));
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            // Every thread builds every shape from its own start, sometimes
            // with trailing 1s; lengths no other test uses keep them new.
            for (unsigned k = 0; k < shapes; ++k) {
                unsigned const i = (k + 37 * t) % shapes;
                std::vector<unsigned long> lengths{1000003UL + i % 17, 7UL + i};
                lengths.resize(2 + (i + t) % 3, 1UL);
                seen[t][i] = ArraySize(lengths.data(), lengths.size()).data();
            }
        });
    }
    for (auto& w : workers) w.join();

    for (unsigned i = 0; i < shapes; ++i) {
        EXPECT_EQ(seen[0][i]->lengths()[1], 7UL + i);
        for (unsigned t = 1; t < threads; ++t) ASSERT_EQ(seen[t][i], seen[0][i]) << "shape " << i << ", thread " << t;
    }
}

}  // namespace
}  // namespace lang::core
