#include <lang/core/index/indexer.hpp>

namespace lang::core {
namespace {

// Entries past the multipliers list only ever hold 0, so they add nothing.
unsigned long stride(std::vector<unsigned long> const& multipliers, unsigned long k) noexcept {
    return k < multipliers.size() ? multipliers[k] : 0;
}

}  // namespace

Indexer::Iterator::Iterator(std::vector<std::pair<It, It>> const& pairs, std::vector<unsigned long> const& multipliers)
    : pairs_(&pairs), multipliers_(&multipliers), first_stride_(stride(multipliers, 0)) {
    iterators_.reserve(pairs.size());
    for (unsigned long k = 0; k < pairs.size(); ++k) {
        auto const& [begin, end] = pairs[k];
        iterators_.push_back(begin);
        if (begin != end) position_ += *begin * stride(multipliers, k);
    }
}

void Indexer::Iterator::carry() {
    auto const& pairs = *pairs_;
    auto const& multipliers = *multipliers_;
    // Entry 0 has run past its end: restart it and advance the next entry,
    // as far as the carry goes.
    iterators_[0] = pairs[0].first;
    position_ += *iterators_[0] * first_stride_;
    for (unsigned long k = 1; k < iterators_.size(); ++k) {
        unsigned long const s = stride(multipliers, k);
        It& it = iterators_[k];
        position_ -= *it * s;
        ++it;
        if (it != pairs[k].second) {
            position_ += *it * s;
            return;
        }
        it = pairs[k].first;
        position_ += *it * s;
    }
}

Indexer::Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries)
    : size_(dst), entries_(entries), multipliers_(src.multipliers()) {
    pairs_.reserve(entries_.size());
    for (IndexEntry const& entry : entries_) pairs_.emplace_back(boost::begin(entry.second), boost::end(entry.second));
}

}  // namespace lang::core
