#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/ext/resolver_eval_fcn.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

// Constants that share array blocks, and one const constant, scalar and call
// key shared by all, hashed, compared, copied, written and destroyed on four
// threads at once.
TEST(ConstantConcurrency, SharedBlocksAndOneConstValueOnFourThreads) {
    constexpr unsigned threads = 4, rounds = 200;
    Array<double> const reals = make<double>({2, 2}, {1.0, nan, -0.0, inf});
    Constant const shared = Tuple{reals, make<int>({3}, {1, 2, 3}), 2.5};
    unsigned long const hash = hash_value(Constant(Tuple{make<double>({2, 2}, {1.0, nan, 0.0, inf}),
                                                         make<int>({3}, {1, 2, 3}), 2.5}));
    ScalarConstant const scalar(Scalar<double>{-0.5});
    unsigned long const scalar_hash = hash_value(Constant(-0.5));
    ResolverEvalFcn::PathConstants const key(Constants{reals, 1}, ResolverEvalFcn::Path("a.b"));
    unsigned long const key_hash = hash_value(ResolverEvalFcn::PathConstants(key));

    std::vector<unsigned> agreed(threads);
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            for (unsigned i = 0; i < rounds; ++i) {
                Constant mine = shared;
                Constant written = reals;
                written += ScalarConstant(Scalar<double>{1.0});
                double const* written_block = std::get<Array<double>>(written.value()).x();
                bool const ok = hash_value(mine) == hash && mine == shared && compare(shared, mine) == 0 &&
                                hash_value(shared) == hash && hash_value(scalar) == scalar_hash &&
                                scalar == ScalarConstant(Scalar<double>{-0.5}) && hash_value(key) == key_hash &&
                                written_block[0] == 2.0 && written_block != reals.x();
                agreed[t] += ok ? 1 : 0;
            }
        });
    }
    for (auto& w : workers) w.join();
    for (unsigned t = 0; t < threads; ++t) EXPECT_EQ(agreed[t], rounds) << "thread " << t;
    EXPECT_EQ(reals.x()[0], 1.0);
}

}  // namespace
}  // namespace lang::core
