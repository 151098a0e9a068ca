#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace op = lang::core::op;

// Any thread's first call may be the one that builds a table; every thread
// must see it complete.
TEST(OpTables, ConcurrentFirstUseSeesCompleteTables) {
    constexpr int threads = 8;
    std::vector<std::string> printed(threads);
    std::vector<std::size_t> keywords(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            std::ostringstream os;
            os << op::MTIMES << ' ' << op::format(op::OR);
            printed[t] = os.str();
            keywords[t] = lang::core::keyword::all().size();
        });
    }
    for (auto& thread : pool) thread.join();
    for (int t = 0; t < threads; ++t) {
        EXPECT_EQ(printed[t], "mtimes %0 | %1");
        EXPECT_EQ(keywords[t], 49u);
    }
}

}  // namespace
