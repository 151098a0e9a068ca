#include <kbase/identifier.hpp>
#include <kbase/table_string.hpp>

#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

using kbase::TableString;

TEST(TableStringConcurrency, ThreadsInterningOverlappingTextsGetOneRecordEach) {
    constexpr int threads = 8, texts = 300;
    std::vector<std::string> names;
    for (int i = 0; i < texts; ++i) names.push_back("name_" + std::to_string(i));

    // handles[t][i] is thread t's handle for names[i].
    std::vector<std::vector<TableString>> handles(threads, std::vector<TableString>(texts));
    std::latch start(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int k = 0; k < texts; ++k) {
                int const i = (k + 37 * t) % texts;  // each thread from its own start
                auto const& name = names[i];
                // Half through the identifier check, half directly: both intern.
                handles[t][i] = t % 2 ? kbase::detail::HdIdCheck{}(name.data(), name.size()) : TableString(name);
            }
        });
    }
    for (auto& thread : pool) thread.join();

    for (int i = 0; i < texts; ++i) {
        TableString const reference(names[i]);
        for (int t = 0; t < threads; ++t) {
            ASSERT_EQ(handles[t][i].data(), reference.data()) << names[i] << " in thread " << t;
            ASSERT_EQ(handles[t][i].view(), names[i]);
        }
    }
}

}  // namespace
