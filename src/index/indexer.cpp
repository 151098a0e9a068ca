#include <lang/core/index/indexer.hpp>

namespace lang::core {
namespace {

// A type-erased step costs three indirect calls; entry 0 steps on every
// element, so an entry 0 of up to this many values is read from a table
// instead. Longer ones stay type-erased: they roll over rarely, and a table
// would cost as much memory as the selection itself.
constexpr unsigned long max_table_size = 4096;

// Entries past the multipliers list only ever hold 0, so they add nothing.
unsigned long stride(std::vector<unsigned long> const& multipliers, unsigned long k) noexcept {
    return k < multipliers.size() ? multipliers[k] : 0;
}

}  // namespace

Indexer::Iterator::Iterator(std::vector<std::pair<It, It>> const& pairs, std::vector<unsigned long> const& multipliers,
                            unsigned long const* table, unsigned long table_size)
    : pairs_(&pairs), multipliers_(&multipliers), first_stride_(stride(multipliers, 0)) {
    iterators_.reserve(pairs.size());
    for (unsigned long k = 0; k < pairs.size(); ++k) {
        auto const& [begin, end] = pairs[k];
        iterators_.push_back(begin);
        if (k > 0 && begin != end) rest_ += *begin * stride(multipliers, k);
    }
    // An empty entry 0 contributes nothing, and nothing is visited anyway.
    if (table != nullptr && table_size > 0) {
        table_ = cursor_ = table;
        table_end_ = table + table_size;
        position_ = rest_ + table[0];
    } else if (!pairs.empty() && pairs[0].first != pairs[0].second) {
        position_ = rest_ + *pairs[0].first * first_stride_;
    } else {
        position_ = rest_;
    }
}

std::vector<Indexer::It> Indexer::Iterator::iterators() const {
    std::vector<It> current = iterators_;
    for (auto p = table_; p != cursor_; ++p) ++current[0];
    return current;
}

void Indexer::Iterator::carry() {
    auto const& pairs = *pairs_;
    auto const& multipliers = *multipliers_;
    // Entry 0 has run past its end: restart it and advance the next entry,
    // as far as the carry goes.
    unsigned long first = 0;
    if (table_ != nullptr) {
        count_ += static_cast<unsigned long>(table_end_ - table_);
        cursor_ = table_;
        first = table_[0];
    } else {
        iterators_[0] = pairs[0].first;
        first = *iterators_[0] * first_stride_;
    }
    for (unsigned long k = 1; k < iterators_.size(); ++k) {
        unsigned long const s = stride(multipliers, k);
        It& it = iterators_[k];
        rest_ -= *it * s;
        ++it;
        if (it != pairs[k].second) {
            rest_ += *it * s;
            break;
        }
        it = pairs[k].first;
        rest_ += *it * s;
    }
    position_ = rest_ + first;
}

Indexer::Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries)
    : size_(dst), entries_(entries), multipliers_(src.multipliers()) {
    pairs_.reserve(entries_.size());
    for (IndexEntry const& entry : entries_) pairs_.emplace_back(boost::begin(entry.second), boost::end(entry.second));
    if (pairs_.empty()) return;

    unsigned long const first_stride = stride(multipliers_, 0);
    for (auto it = pairs_[0].first; it != pairs_[0].second; ++it) {
        if (first_table_.size() == max_table_size) {
            first_table_.clear();
            first_table_.shrink_to_fit();
            return;
        }
        first_table_.push_back(*it * first_stride);
    }
    tabled_ = true;
}

Indexer::Iterator Indexer::begin() const {
    return tabled_ ? Iterator(pairs_, multipliers_, first_table_.data(), first_table_.size())
                   : Iterator(pairs_, multipliers_);
}

}  // namespace lang::core
