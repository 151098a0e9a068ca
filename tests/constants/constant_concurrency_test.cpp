// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/ext/resolver_eval_fcn.hpp>

#include "test_support/threads.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

namespace lang::core {
namespace {

using namespace test;

// Constants that share array blocks, and one const constant, scalar and call
// key shared by all, hashed, compared, copied, written and destroyed on four
// threads at once.
TEST(ConstantConcurrency, SharedBlocksAndOneConstValueOnFourThreads) {
    Array<double> const reals = make<double>({2, 2}, {1.0, nan, -0.0, inf});
    Constant const shared = Tuple{reals, make<int>({3}, {1, 2, 3}), 2.5};
    unsigned long const hash = hash_value(Constant(Tuple{make<double>({2, 2}, {1.0, nan, 0.0, inf}),
                                                         make<int>({3}, {1, 2, 3}), 2.5}));
    ScalarConstant const scalar(Scalar<double>{-0.5});
    unsigned long const scalar_hash = hash_value(Constant(-0.5));
    ResolverEvalFcn::PathConstants const key(Constants{reals, 1}, ResolverEvalFcn::Path("a.b"));
    unsigned long const key_hash = hash_value(ResolverEvalFcn::PathConstants(key));

    expect_on_threads(4, 200, [&] {
        Constant const mine = shared;
        Constant written = reals;
        written += ScalarConstant(Scalar<double>{1.0});
        double const* block = std::get<Array<double>>(written.value()).x();
        return hash_value(mine) == hash && mine == shared && compare(shared, mine) == 0 &&
               hash_value(shared) == hash && hash_value(scalar) == scalar_hash &&
               scalar == ScalarConstant(Scalar<double>{-0.5}) && hash_value(key) == key_hash && block[0] == 2.0 &&
               block != reals.x();
    });
    EXPECT_EQ(reals.x()[0], 1.0);
}

}  // namespace
}  // namespace lang::core
