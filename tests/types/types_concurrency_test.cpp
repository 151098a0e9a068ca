// SPDX-License-Identifier: Apache-2.0
// Array sizes and types used on several threads at once: each shape keeps
// one interned record, and type memos are filled without a race.
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/type.hpp>

#include "test_support/threads.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <variant>
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

// Nested, with every memo still unset, so that the threads race to fill them.
Type fresh_tuple() {
    Types inner{Type(ScalarType(type::REAL))};
    inner += Type(ArrayType(type::INDEX, {2, 3}));
    Types outer = inner;
    outer += Type(TupleType(inner));
    return TupleType(outer);
}

// Distinct types that share one list, and one const type shared by all,
// hashed, compared, copied and destroyed on four threads at once.
TEST(TypeConcurrency, SharedListsAndOneConstTypeOnFourThreads) {
    Type const reference = fresh_tuple();
    unsigned long const hash = hash_value(reference);
    Type const shared = fresh_tuple();
    Types const& list = std::get<TupleType>(shared.value()).types();

    test::expect_on_threads(4, 200, [&] {
        // Hashing comes first: once the threads have passed through the
        // list's reference count, its ordering would hide a plain memo write.
        if (hash_value(Type(TupleType(list))) != hash) return false;
        Type const mine = TupleType(list);
        Type const copy = shared;
        Types longer = list;
        longer += copy;
        return hash_value(mine) == hash && hash_value(shared) == hash && mine == shared && copy == reference &&
               compare(shared, mine) == 0 && hash_value(TupleType(longer)) != hash;
    });
}

}  // namespace
}  // namespace lang::core
