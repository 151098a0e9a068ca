// Array sizes built on several threads at once: each shape keeps one
// interned record.
#include <lang/core/types/array_size.hpp>

#include "test_support/threads.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace lang::core {
namespace {

// Every thread builds every shape twice in a row, each from its own start and
// sometimes with trailing 1s; lengths no other test uses keep them new. The
// repeat is what a thread's cache of recent shapes answers, and 300 shapes
// overfill its slots. The first record of a shape fixes it, and every later
// one must be it.
TEST(ArraySizeConcurrency, ThreadsBuildingEqualShapesGetOneRecord) {
    constexpr unsigned shapes = 300;
    std::vector<std::atomic<ArraySize::Record const*>> first(shapes);
    std::atomic<unsigned> next{0};
    test::expect_on_threads(8, 2 * shapes, [&] {
        thread_local unsigned const t = next++;
        thread_local unsigned k = 0;
        unsigned const i = (k++ / 2 + 37 * t) % shapes;
        std::vector<unsigned long> lengths{1000003UL + i % 17, 7UL + i};
        lengths.resize(2 + (i + t) % 3, 1UL);
        ArraySize::Record const* const record = ArraySize(lengths.data(), lengths.size()).data();
        ArraySize::Record const* expected = nullptr;
        bool const firstRecord = first[i].compare_exchange_strong(expected, record);
        return record->lengths()[1] == 7UL + i && (firstRecord || expected == record);
    });
}

}  // namespace
}  // namespace lang::core
