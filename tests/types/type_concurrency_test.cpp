#include <lang/core/types/type.hpp>

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

namespace lang::core {
namespace {

// Nested, with every memo still unset, so that the threads race to fill them.
Type fresh_tuple() {
    Types inner(Type(ScalarType(type::REAL)));
    inner += Type(ArrayType(type::INDEX, {2, 3}));
    Types outer = inner;
    outer += Type(TupleType(inner));
    return TupleType(outer);
}

// Distinct types that share one list, and one const type shared by all,
// hashed, compared, copied and destroyed on four threads at once.
TEST(TypeConcurrency, SharedListsAndOneConstTypeOnFourThreads) {
    constexpr unsigned threads = 4, rounds = 200;
    Type const reference = fresh_tuple();
    unsigned long const hash = hash_value(reference);
    Type const shared = fresh_tuple();
    Types const& list = std::get<TupleType>(shared.value()).types();

    std::vector<unsigned> agreed(threads);
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            for (unsigned i = 0; i < rounds; ++i) {
                Type const mine = TupleType(list);
                Type const copy = shared;
                Types longer = list;
                longer += copy;
                bool const ok = hash_value(mine) == hash && hash_value(shared) == hash && mine == shared &&
                                copy == reference && compare(shared, mine) == 0 &&
                                hash_value(TupleType(longer)) != hash;
                agreed[t] += ok ? 1 : 0;
            }
        });
    }
    for (auto& w : workers) w.join();
    for (unsigned t = 0; t < threads; ++t) EXPECT_EQ(agreed[t], rounds) << "thread " << t;
}

}  // namespace
}  // namespace lang::core
