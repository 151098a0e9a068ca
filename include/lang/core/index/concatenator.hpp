// SPDX-License-Identifier: Apache-2.0
// A plan for joining arrays along one dimension, made from their sizes alone:
// the result size and, per operand, a pair of indexers that move its elements
// into place. Copies of a plan share its entries, and a move copies.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>
#include <lang/core/types/array_size.hpp>

#include <boost/shared_ptr.hpp>

#include <vector>

namespace lang::core {

/// The plan of a concatenation: which positions of the result each operand
/// fills. Copies share the entries.
class LANGCORE_API Concatenator {
public:
    /// One operand's move: the i-th position of srcIndexer goes to the i-th
    /// position of dstIndexer.
    class LANGCORE_API Entry {
    public:
        /// Converts both builders, with their index checks.
        Entry(IndexerBuilder const& dst, unsigned long src, IndexerBuilder const& source);

        /// The operand's block of result positions.
        Indexer const& dstIndexer() const noexcept { return dstIndexer_; }
        /// The operand number.
        unsigned long src() const noexcept { return src_; }
        /// All of the operand's elements in storage order.
        Indexer const& srcIndexer() const noexcept { return srcIndexer_; }

    private:
        friend class Concatenator;
        /// Takes indexers already converted.
        Entry(Indexer dst, unsigned long src, Indexer source);

        Indexer dstIndexer_;
        unsigned long src_;
        Indexer srcIndexer_;
    };

    /// Iterates over the entries.
    using const_iterator = std::vector<Entry>::const_iterator;

    /// Plans joining arrays of `sizes` along `dim`. Raises EmptyConcatenation
    /// for no sizes and InvalidConcatenation when a size differs from the
    /// first in another dimension.
    Concatenator(unsigned long dim, std::vector<ArraySize> const& sizes);
    /// Copies share the entry list. No move is declared, so a move copies and
    /// leaves the source as it was.
    ///@{
    Concatenator(Concatenator const&) noexcept = default;
    Concatenator& operator=(Concatenator const&) noexcept = default;
    ///@}

    /// The result size.
    ArraySize const& size() const noexcept { return size_; }
    /// One entry per operand, in operand order.
    ///@{
    std::vector<Entry>& entries() noexcept { return *entries_; }
    std::vector<Entry> const& entries() const noexcept { return *entries_; }
    const_iterator begin() const noexcept { return entries_->begin(); }
    const_iterator end() const noexcept { return entries_->end(); }
    ///@}

private:
    ArraySize size_;
    boost::shared_ptr<std::vector<Entry>> entries_;
};

}  // namespace lang::core
