#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Any thread's first call may be the one that builds a table; every thread
// must see it complete.
TEST(OpTables, ConcurrentFirstUseSeesCompleteTables) {
    constexpr int threads = 8;
    std::vector<std::string> seen(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            std::ostringstream os;
            os << lang::core::op::MTIMES << ' ' << lang::core::op::format(lang::core::op::OR) << ' '
               << lang::core::keyword::all().size();
            seen[t] = os.str();
        });
    }
    for (auto& thread : pool) thread.join();
    for (int t = 0; t < threads; ++t) EXPECT_EQ(seen[t], "mtimes %0 | %1 49");
}

}  // namespace
