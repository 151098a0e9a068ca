// Texts interned on several threads at once get one record each.
#include <kbase/table_string.hpp>
#include <kbase/identifier.hpp>

#include "test_support/threads.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

using kbase::TableString;
using lang::core::test::expect_on_threads;

// Every thread interns every text, each from its own start, half through the
// identifier check and half directly; the first handle of a text fixes its
// record, which every later one must be. Default handles, the empty text,
// are made all the while.
TEST(TableStringConcurrency, ThreadsInterningOverlappingTextsGetOneRecordEach) {
    constexpr int texts = 300;
    std::vector<std::atomic<char const*>> first(texts);
    std::atomic<int> next{0};
    expect_on_threads(8, texts, [&] {
        thread_local int const t = next++;
        thread_local int k = 0;
        int const i = (k++ + 37 * t) % texts;
        std::string const name = "name_" + std::to_string(i);
        TableString const s = t % 2 ? kbase::detail::HdIdCheck{}(name.data(), name.size()) : TableString(name);
        char const* expected = nullptr;
        bool const firstRecord = first[i].compare_exchange_strong(expected, s.data());
        return s.view() == name && TableString().view().empty() && (firstRecord || expected == s.data());
    });
}

}  // namespace
