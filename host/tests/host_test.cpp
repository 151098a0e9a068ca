// The host stand-ins: the aligned heap (size classes, alignment, exact
// counts, refusal of impossible sizes, the cache of large blocks, poisoning),
// identifiers and dotted paths, message texts, shared vectors, and UTF-8 to
// UTF-16 conversion both ways (every scalar value against reference
// encoders, one replacement per malformed byte).
#include <groundwork/core/mem/aligned_heap.hpp>
#include <kbase/hd_id_path.hpp>
#include <kbase/identifier.hpp>
#include <kbase/message.hpp>
#include <kbase/shared_vector.hpp>
#include <kbase/table_string.hpp>
#include <qz/i18n/ustring.hpp>

#include "mem/size_classes.hpp"
#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;
namespace detail = groundwork::core::mem::detail;
using kbase::HdIdPath;
using kbase::Message;
using kbase::MessageException;
using kbase::TableString;
using lang::core::test::expect_message;
using lang::core::test::types_catalog;
using lexicon::BaseMsgID;
using qz::i18n::to_ustring;
using namespace std::literals;

TEST(AlignedHeap, SizeClassesAreTheSmallestThatFitAndBlocksAreCountedExactly) {
    for (unsigned long bytes = 1; bytes <= detail::small_limit; ++bytes) {
        unsigned const c = detail::size_class(bytes);
        ASSERT_LT(c, detail::class_count) << bytes;
        unsigned long const size = detail::class_bytes(c);
        ASSERT_GE(size, bytes) << bytes;
        ASSERT_EQ(size % 64, 0u) << bytes;
        ASSERT_TRUE(c == 0 || detail::class_bytes(c - 1) < bytes) << bytes;
        ASSERT_EQ(detail::rounded_size(bytes), size) << bytes;
        // No class wastes more than a fifth of a block past the first kilobyte.
        ASSERT_TRUE(bytes <= 1024 || size - bytes <= size / 5) << bytes;
    }

    // Blocks of every kind are 64-byte aligned, writable and counted exactly.
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::vector<std::pair<void*, unsigned long>> blocks;
    for (unsigned long bytes : {1ul, 64ul, 65ul, 1000ul, 65536ul, 65537ul, 1ul << 20, 3ul << 20}) {
        for (int copy = 0; copy < 3; ++copy) {
            void* block = aligned_heap::instance().vector_alloc(bytes);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u) << bytes << " bytes";
            std::memset(block, copy, bytes);  // a short block shows up under AddressSanitizer
            blocks.emplace_back(block, bytes);
        }
    }
    EXPECT_EQ(aligned_heap::live(), live + blocks.size());
    aligned_heap::vector_free(nullptr);
    // Live blocks never overlap: each still holds its own pattern.
    for (unsigned long i = 0; i < blocks.size(); ++i) {
        auto* p = static_cast<unsigned char*>(blocks[i].first);
        EXPECT_EQ(p[0], i % 3);
        EXPECT_EQ(p[blocks[i].second - 1], i % 3);
        aligned_heap::vector_free(p);
    }
    EXPECT_EQ(aligned_heap::live(), live);

    // Sizes no mapping can hold are refused and counted nowhere (the count
    // below is that of the blocks above), up to the largest, which a redzone
    // would wrap around to a small block.
    for (unsigned long bytes : {1ul << 62, ~0ul - 63, ~0ul}) {
        EXPECT_THROW(aligned_heap::instance().vector_alloc(bytes), std::bad_alloc) << bytes << " bytes";
    }
    EXPECT_EQ(aligned_heap::allocations(), allocations + blocks.size());

    // Control blocks come from the same pools but are not element blocks.
    void* node = aligned_heap::node_alloc(40);
    EXPECT_EQ(aligned_heap::live(), live);
    aligned_heap::node_free(node, 40);
}

long minor_faults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

TEST(AlignedHeap, FreedLargeBlocksServeTheNextResultWithinABoundedCache) {
    constexpr unsigned long result = 80'000'000;  // 10^7 reals
    unsigned long const hits = aligned_heap::large_cache_hits();
    auto* first = static_cast<char*>(aligned_heap::instance().vector_alloc(result));
    std::memset(first, 1, result);
    aligned_heap::vector_free(first);

    long const faults = minor_faults();
    auto* again = static_cast<char*>(aligned_heap::instance().vector_alloc(result));
    std::memset(again, 2, result);
    // Fresh pages would take at least one fault per 2 MiB, and one per 4 KiB
    // without huge pages.
    EXPECT_LT(minor_faults() - faults, 16);
    EXPECT_EQ(aligned_heap::large_cache_hits(), hits + 1);
    EXPECT_EQ(again, first);
    aligned_heap::vector_free(again);

    // The cache never holds more than its cap, here 100 MB.
    aligned_heap::set_large_cache_limit(100'000'000);
    std::vector<void*> blocks;
    for (int i = 0; i < 3; ++i) blocks.push_back(aligned_heap::instance().vector_alloc(40'000'000));
    for (void* block : blocks) aligned_heap::vector_free(block);
    EXPECT_LE(aligned_heap::large_cache_bytes(), 100'000'000u);
    EXPECT_GE(aligned_heap::large_cache_bytes(), 40'000'000u);
    aligned_heap::set_large_cache_limit(0);
    EXPECT_EQ(aligned_heap::large_cache_bytes(), 0u);
    aligned_heap::set_large_cache_limit(aligned_heap::default_large_cache_limit);
}

#ifdef GROUNDWORK_ASAN
// Pooled blocks sit side by side, so only the heap's own poisoning lets
// AddressSanitizer see an overrun or a use after free.
TEST(AlignedHeapDeathTest, OverrunsAndUsesAfterFreeAreReported) {
    for (unsigned long bytes : {16ul, 128ul, 100'000ul}) {
        for (bool const freed : {false, true}) {
            EXPECT_DEATH({
                auto* block = static_cast<char*>(aligned_heap::instance().vector_alloc(bytes));
                if (freed) aligned_heap::vector_free(block);
                static_cast<char volatile*>(block)[freed ? 0 : bytes] = 1;
            }, "use-after-poison") << bytes << (freed ? " bytes, freed" : " bytes");
        }
    }
}
#endif

TableString check(std::string_view text) { return kbase::detail::HdIdCheck{}(text.data(), text.size()); }

TEST(Identifier, CharactersCaseFoldingTheCheckAndDottedPaths) {
    std::string_view const letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    for (int i = -128; i < 128; ++i) {
        char const c = static_cast<char>(i);
        bool const letter = letters.find(c) != std::string_view::npos;
        EXPECT_EQ(kbase::is_halden_head_id_char(c), letter) << i;
        EXPECT_EQ(kbase::is_halden_tail_id_char(c), letter || (c >= '0' && c <= '9')) << i;
    }
    EXPECT_EQ(kbase::lower("ReAL_9xZ@[\xC3\x84"), "real_9xz@[\xC3\x84");

    // The check returns identifiers interned and rejects everything else.
    EXPECT_EQ(check("x9_Y"), TableString("x9_Y"));
    // Only the given length counts, not a terminating zero.
    EXPECT_EQ(kbase::detail::HdIdCheck{}("abc-def", 3).view(), "abc");
    for (std::string_view text : {""sv, "9lives"sv, "a b"sv, "\xC3\xA9t\xC3\xA9"sv, "ab\0c"sv}) {
        expect_message([&] { check(text); }, "kbase:utility", "InvalidIdentifier", {std::string(text)});
    }

    // Dotted paths parse, print, hash and order component by component.
    HdIdPath const path("pkg.fcn");
    EXPECT_EQ(path, HdIdPath({TableString("pkg"), TableString("fcn")}));
    EXPECT_NE(hash_value(HdIdPath("a.b")), hash_value(HdIdPath("ab")));
    EXPECT_EQ(lang::core::test::printed(path) + '|' + lang::core::test::printed(HdIdPath("f")), "pkg.fcn|f");

    for (auto [text, component] : {std::pair{"pkg..fcn", ""}, {"pkg.", ""}, {"", ""}, {"pkg.1x", "1x"}}) {
        expect_message([&] { HdIdPath{text}; }, "kbase:utility", "InvalidIdentifier", {std::string(component)});
    }

    // Component by component, a prefix first.
    for (auto [a, b] : {std::pair{"a.b", "a.c"}, {"a", "a.b"}, {"a", "a_b"}}) {
        EXPECT_LT(kbase::compare(HdIdPath(a), HdIdPath(b)), 0) << a << " vs " << b;
    }
}

TEST(Message, FormatsCatalogTextWithArgumentsInSlotOrderOrNamesAKeyWithoutText) {
    MessageException const e(Message(BaseMsgID(types_catalog, "InvalidIndex", {std::string("3, 4"), 12L})));
    EXPECT_STREQ(e.what(), "Index 12 is out of range for an array of size 3, 4.");
    MessageException const wide(Message(BaseMsgID(types_catalog, "InvalidIndex", {std::u16string(u"3x4\u20ac"), 3L})));
    EXPECT_STREQ(wide.what(), "Index 3 is out of range for an array of size 3x4\xe2\x82\xac.");
    EXPECT_EQ(MessageException(e).what(), e.what());  // copies share one text

    // A key without text still names its catalog, key and arguments.
    Message const m(BaseMsgID("no:such:catalog", "Missing", {7L, std::string("a, b")}));
    EXPECT_EQ(m.text(), "no:such:catalog/Missing(7, \"a, b\")");
    EXPECT_FALSE(kbase::has_message_text("no:such:catalog", "Missing"));
    EXPECT_TRUE(kbase::has_message_text("tarvex:common:lang:core:ir", "InvalidColon"));
}

std::vector<int> values(kbase::SharedVector<int> const& v) { return {v.begin(), v.end()}; }

TEST(SharedVector, CopiesShareUntilTheFirstWrite) {
    kbase::SharedVector<int> v(1);
    v.push_back(2);
    kbase::SharedVector<int> w = v;
    EXPECT_TRUE(v.shares_block_with(w));
    EXPECT_EQ(v.use_count(), 2u);

    w.push_back(3);
    EXPECT_EQ(v.use_count(), 1u);
    EXPECT_EQ(values(v), (std::vector<int>{1, 2}));
    EXPECT_EQ(values(w), (std::vector<int>{1, 2, 3}));

    // Unshared with room: written in place.
    int const* before = w.begin();
    ASSERT_GT(w.capacity(), w.size());
    w.push_back(4);
    EXPECT_EQ(w.begin(), before);

    // Appending to itself from a full block: the source is the block being replaced.
    kbase::SharedVector<int> full(1);
    full.push_back(2);
    ASSERT_EQ(full.capacity(), full.size());
    full.append(full);
    full.push_back(full[0]);
    EXPECT_EQ(values(full), (std::vector<int>{1, 2, 1, 2, 1}));
}

constexpr char16_t bad = 0xFFFD;

// Reference encoders, written out from the encoding rules.
std::string utf8(char32_t c) {
    if (c < 0x80) return {static_cast<char>(c)};
    if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000) {
        return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

std::u16string utf16(char32_t c) {
    if (c < 0x10000) return {static_cast<char16_t>(c)};
    return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

TEST(ToUstring, DecodesEveryScalarValueAndReplacesEachMalformedByte) {
    // A C string ends at a zero; a std::string keeps it, as U+0000 below shows.
    EXPECT_EQ(to_ustring("a\0b"), u"a");

    // Every scalar value, in one string, against the reference encoders.
    std::string in;
    std::u16string expected;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        in += utf8(c);
        expected += utf16(c);
    }
    EXPECT_TRUE(to_ustring(in) == expected);
    // And back: every scalar value encodes to the reference bytes.
    EXPECT_TRUE(qz::i18n::to_utf8(expected) == in);
    // A lone surrogate has no scalar value; it is encoded as it stands.
    EXPECT_EQ(qz::i18n::to_utf8(std::u16string{0xD800, u'a'}), "\xED\xA0\x80" "a");

    // Each malformed byte becomes one replacement character.
    std::pair<char const*, std::u16string> const cases[] = {
        // A lone continuation, an overlong form, an encoded surrogate, a value
        // above U+10FFFF, an interrupted sequence, a lead byte cut short by another.
        {"\x80", {bad}}, {"\xC0\xAF", {bad, bad}}, {"\xED\xA0\x80", {bad, bad, bad}},
        {"\xF4\x90\x80\x80", {bad, bad, bad, bad}}, {"\xE2\x82" "A", {bad, bad, u'A'}}, {"\xC3\xC3\xA9", {bad, 0xE9}},
    };
    for (auto const& [in, out] : cases) EXPECT_TRUE(to_ustring(in) == out) << testing::PrintToString(std::string(in));
}

}  // namespace
