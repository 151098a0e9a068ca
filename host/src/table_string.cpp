// SPDX-License-Identifier: Apache-2.0
#include <kbase/table_string.hpp>

#include <boost/container_hash/hash.hpp>

#include <algorithm>
#include <memory>
#include <mutex>
#include <ostream>
#include <unordered_set>

namespace kbase {

struct BasicTableString<char>::Record {
    std::size_t hash;
    unsigned long size;
    std::unique_ptr<char[]> text;

    std::string_view view() const noexcept { return {text.get(), size}; }
};

namespace {

using Record = BasicTableString<char>::Record;

struct RecordHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return boost::hash_range(s.begin(), s.end()); }
    std::size_t operator()(Record const* r) const noexcept { return r->hash; }
};

struct RecordEqual {
    using is_transparent = void;
    static std::string_view view(std::string_view s) noexcept { return s; }
    static std::string_view view(Record const* r) noexcept { return r->view(); }
    template <class A, class B>
    bool operator()(A const& a, B const& b) const noexcept { return view(a) == view(b); }
};

// Records live until the process ends, so handles never dangle.
struct Table {
    std::mutex mutex;
    std::unordered_set<Record const*, RecordHash, RecordEqual> records;

    Record const* intern(std::string_view text) {
        std::lock_guard lock(mutex);
        if (auto it = records.find(text); it != records.end()) return *it;
        auto record = std::make_unique<Record>();
        record->hash = RecordHash{}(text);
        record->size = text.size();
        record->text = std::make_unique<char[]>(text.size() + 1);
        // Not memcpy: the empty view's data is null, which memcpy must not get.
        std::copy(text.begin(), text.end(), record->text.get());
        records.insert(record.get());
        return record.release();
    }
};

Table& table() {
    static Table* t = new Table;  // never destroyed: handles may outlive static destruction
    return *t;
}

}  // namespace

BasicTableString<char>::BasicTableString() noexcept {
    static Record const* const empty = table().intern({});
    record_ = empty;
}

BasicTableString<char>::BasicTableString(char const* text, unsigned long length)
    : record_(table().intern({text, length})) {}

char const* BasicTableString<char>::data() const noexcept { return record_->text.get(); }
unsigned long BasicTableString<char>::size() const noexcept { return record_->size; }
unsigned long BasicTableString<char>::hash() const noexcept { return record_->hash; }

int BasicTableString<char>::compare_(BasicTableString const& other) const noexcept {
    if (record_ == other.record_) return 0;
    return view().compare(other.view());
}

std::ostream& operator<<(std::ostream& os, BasicTableString<char> const& s) { return os << s.view(); }

}  // namespace kbase
