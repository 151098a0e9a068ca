#include <lang/core/index/concatenator.hpp>

#include "index/detail/concatenation.hpp"

#include <boost/make_shared.hpp>

#include <algorithm>

namespace lang::core {

Concatenator::Entry::Entry(IndexerBuilder const& dst, unsigned long src, IndexerBuilder const& source)
    : dstIndexer_(dst), src_(src), srcIndexer_(source) {}

Concatenator::Concatenator(unsigned long dim, std::vector<ArraySize> const& sizes)
    : size_(detail::concatenated_size(dim, sizes)), entries_(boost::make_shared<std::vector<Entry>>()) {
    // A result of length 1 along a new trailing `dim` does not store that
    // dimension; it still gets a subscript so that an operand of length 0
    // there gets an empty block, as empty as its source.
    unsigned long const dims = std::max(size_.size(), dim + 1);
    entries_->reserve(sizes.size());
    unsigned long offset = 0;
    for (unsigned long k = 0; k < sizes.size(); ++k) {
        unsigned long const length = sizes[k](dim);
        IndexerBuilder block(size_);
        for (unsigned long j = 0; j < dims; ++j) {
            block.append_(j == dim ? make_counting_entry(offset, offset + length) : make_counting_entry(0, size_(j)));
        }
        entries_->emplace_back(block, k, IndexerBuilder(sizes[k]));
        offset += length;
    }
}

}  // namespace lang::core
