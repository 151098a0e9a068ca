// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include "test_support/threads.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

namespace lang::core {
namespace {

// Any thread's first call may be the one that builds a table; every thread
// must see it complete.
TEST(OpTables, ConcurrentFirstUseSeesCompleteTables) {
    test::expect_on_threads(8, 1, [] {
        return test::printed(op::MTIMES) + ' ' + op::format(op::OR) == "mtimes %0 | %1" && keyword::all().size() == 49;
    });
}

}  // namespace
}  // namespace lang::core
