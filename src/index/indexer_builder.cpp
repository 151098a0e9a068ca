// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/indexer_builder.hpp>

#include <lang/core/index/index_checker.hpp>

#include "detail/exact_length.hpp"

#include <boost/make_shared.hpp>

namespace lang::core {

IndexerBuilder::IndexerBuilder(ArraySize const& size)
    : size_(size), entries_(boost::make_shared<std::vector<IndexEntry>>()) {}

IndexerBuilder::operator Indexer() const {
    std::vector<IndexEntry> const& entries = *entries_;
    if (entries.empty()) return Indexer(size_, size_, {make_counting_entry(0, detail::exact_count(size_))});

    unsigned long const n = entries.size();
    IndexChecker const check(size_, n);
    std::vector<unsigned long> counts(n);
    for (unsigned long k = 0; k < n; ++k) {
        unsigned long count = 0;
        for (unsigned long value : entries[k].second) {
            check(value, k);
            ++count;
        }
        counts[k] = count;
    }

    ArraySize const dst(counts.data(), n);
    // Repeated subscripts can select more elements than a count holds.
    if (detail::exact_count(dst) != 0) return Indexer(size_, dst, entries);
    // Nothing is visited, so the caller's ranges need not be kept alive.
    std::vector<IndexEntry> empty;
    empty.reserve(n);
    for (unsigned long k = 0; k < n; ++k) empty.push_back(make_counting_entry(0, 0));
    return Indexer(size_, dst, empty);
}

}  // namespace lang::core
