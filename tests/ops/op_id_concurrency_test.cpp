#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace op = lang::core::op;

// Every thread's first call may be the one that builds a table; all must see
// the complete table.
TEST(OpTables, ConcurrentFirstUseSeesCompleteTables) {
    constexpr int threads = 8;
    std::vector<std::string> printed(threads);
    std::vector<void const*> keyword_tables(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            std::ostringstream os;
            for (int k = 0; k < op::COUNT; ++k) os << static_cast<op::Id>(k) << ' ';
            os << lang::core::accum::MAXIMUM;
            std::istringstream is("atan2");
            op::Id read = op::INVALID;
            is >> read;
            os << ' ' << read << ' ' << op::format(op::OR);
            printed[t] = os.str();
            keyword_tables[t] = &lang::core::keyword::all();
        });
    }
    for (auto& thread : pool) thread.join();
    for (int t = 0; t < threads; ++t) {
        EXPECT_EQ(printed[t], printed[0]);
        EXPECT_EQ(keyword_tables[t], keyword_tables[0]);
    }
    EXPECT_EQ(printed[0].substr(printed[0].size() - 21), "maximum atan2 %0 | %1");
    EXPECT_EQ(lang::core::keyword::all().size(), 49u);
}

}  // namespace
