// SPDX-License-Identifier: Apache-2.0
// langcore loaded as a plugin: a module linking it is opened with dlopen by
// this program, which links neither langcore nor its host libraries, and
// which ctest runs with no static TLS to spare, so a library that asked for
// initial-exec thread-locals would fail to load. The module folds on
// several threads and is closed again, three times.
#include <gtest/gtest.h>

#include <dlfcn.h>

#if defined(__SANITIZE_ADDRESS__)
#define LANGCORE_TEST_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LANGCORE_TEST_LEAK_CHECKS 1
#endif
#endif
#ifdef LANGCORE_TEST_LEAK_CHECKS
#include <sanitizer/lsan_interface.h>
#endif

#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Whether a library whose path contains `name` is mapped now.
bool mapped(std::string const& name) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(name) != std::string::npos) return true;
    }
    return false;
}

TEST(Plugin, LoadsFoldsOnSeveralThreadsAndUnloadsThreeTimes) {
    ASSERT_FALSE(mapped("liblangcore"));
    for (int load = 0; load < 3; ++load) {
        void* const module = dlopen(LANGCORE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        ASSERT_TRUE(mapped("liblangcore.so")) << "load " << load;
        ASSERT_TRUE(mapped("liblangcore-host.so")) << "load " << load;
        auto* const fold = reinterpret_cast<bool (*)(unsigned long)>(dlsym(module, "fold_in_plugin"));
        ASSERT_NE(fold, nullptr) << dlerror();

        // Small arrays come from the per-thread pools, 100x100 results from
        // the large blocks.
        constexpr int threads = 4;
        std::vector<int> wrong(threads, 0);
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
#ifdef LANGCORE_TEST_LEAK_CHECKS
                // Interned shapes and the tables built on first use live until
                // the library is unloaded; once it is unmapped nothing points
                // at them, so the leak check would count them. Only what
                // these threads allocate is exempt.
                __lsan_disable();
#endif
                for (unsigned long n = 1; n <= 100; ++n) wrong[t] += !fold(n);
            });
        }
        for (auto& w : workers) w.join();
        for (int t = 0; t < threads; ++t) EXPECT_EQ(wrong[t], 0) << "load " << load << ", thread " << t;

        ASSERT_EQ(dlclose(module), 0) << dlerror();
        EXPECT_FALSE(mapped("liblangcore")) << "load " << load << ": still mapped after dlclose";
    }
}

}  // namespace
