// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/indexer.hpp>

namespace lang::core {
namespace {

// A type-erased step costs three indirect calls; entry 0 steps on every
// element, so for_each reads an entry 0 of up to this many values once per
// call. Longer ones stay type-erased: they roll over rarely, and reading them
// ahead would cost as much memory as the selection itself.
constexpr unsigned long max_pass = 4096;

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
        if (k > 0 && begin != end) rest_ += *begin * stride(multipliers, k);
    }
    // An empty entry 0 contributes nothing, and nothing is visited anyway.
    position_ = rest_;
    if (!pairs.empty() && pairs[0].first != pairs[0].second) position_ += *pairs[0].first * first_stride_;
}

void Indexer::Iterator::carry() {
    auto const& pairs = *pairs_;
    auto const& multipliers = *multipliers_;
    iterators_[0] = pairs[0].first;
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
    position_ = rest_ + *iterators_[0] * first_stride_;
}

Indexer::Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries)
    : size_(dst), entries_(entries), multipliers_(src.multipliers()) {
    pairs_.reserve(entries_.size());
    for (IndexEntry const& entry : entries_) pairs_.emplace_back(boost::begin(entry.second), boost::end(entry.second));
}

Indexer::Iterator Indexer::begin() const { return Iterator(pairs_, multipliers_); }

std::vector<unsigned long> Indexer::first_pass() const {
    std::vector<unsigned long> pass;
    if (pairs_.empty()) return pass;
    unsigned long const first_stride = stride(multipliers_, 0);
    for (auto it = pairs_[0].first; it != pairs_[0].second; ++it) {
        if (pass.size() == max_pass) return {};
        pass.push_back(*it * first_stride);
    }
    return pass;
}

bool Indexer::consecutive_positions(std::vector<unsigned long> const& pass) noexcept {
    for (unsigned long i = 1; i < pass.size(); ++i) {
        if (pass[i] != pass[0] + i) return false;
    }
    return true;
}

}  // namespace lang::core
