// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/concatenator.hpp>

#include "index/detail/concatenation.hpp"
#include "index/detail/counting_indexer.hpp"

#include <boost/make_shared.hpp>

#include <algorithm>

namespace lang::core {

Concatenator::Entry::Entry(IndexerBuilder const& dst, unsigned long src, IndexerBuilder const& source)
    : dstIndexer_(dst), src_(src), srcIndexer_(source) {}

Concatenator::Entry::Entry(Indexer dst, unsigned long src, Indexer source)
    : dstIndexer_(std::move(dst)), src_(src), srcIndexer_(std::move(source)) {}

Concatenator::Concatenator(unsigned long dim, std::vector<ArraySize> const& sizes)
    : size_(detail::concatenated_size(dim, sizes)), entries_(boost::make_shared<std::vector<Entry>>()) {
    // A result of length 1 along a new trailing `dim` does not store that
    // dimension; it still gets a subscript so that an operand of length 0
    // there gets an empty block, as empty as its source.
    unsigned long const dims = std::max(size_.size(), dim + 1);
    entries_->reserve(sizes.size());
    // Each operand's block: all of every dimension but `dim`, and its own
    // stretch of `dim`.
    std::vector<detail::Counting> block(dims);
    for (unsigned long j = 0; j < dims; ++j) block[j] = {0, size_(j)};
    unsigned long offset = 0;
    for (unsigned long k = 0; k < sizes.size(); ++k) {
        unsigned long const length = sizes[k](dim);
        block[dim] = {offset, offset + length};
        entries_->push_back(Entry(detail::counting_indexer(size_, block), k, IndexerBuilder(sizes[k])));
        offset += length;
    }
}

}  // namespace lang::core
