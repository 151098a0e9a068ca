// SPDX-License-Identifier: Apache-2.0
// Collects one subscript range per dimension of a source array and turns them
// into an Indexer, checking every subscript value on the way. Copies of a
// builder share one entry list, and a move copies.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/index/index_range.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/types/array_size.hpp>

#include <boost/shared_ptr.hpp>

#include <vector>

namespace lang::core {

/// Collects the subscripts of a source array, one per dimension, and checks
/// them into an Indexer.
///
/// The subscript m(:, [2, 0]) of a 2x3 array m:
/// \snippet folding_tour.cpp indexer
class LANGCORE_API IndexerBuilder {
public:
    /// A builder for a source of size `size`, with a new, empty entry list.
    explicit IndexerBuilder(ArraySize const& size);
    /// Copies share the entry list. No move is declared, so a move copies and
    /// leaves the source as it was.
    ///@{
    IndexerBuilder(IndexerBuilder const&) noexcept = default;
    IndexerBuilder& operator=(IndexerBuilder const&) noexcept = default;
    ///@}

    /// Appends the subscript of the next dimension.
    void append_(IndexEntry const& entry) { entries_->push_back(entry); }

    /// The source size.
    ArraySize const& size() const noexcept { return size_; }
    /// The subscripts appended so far, shared by the builder's copies.
    ///@{
    std::vector<IndexEntry>& entries() noexcept { return *entries_; }
    std::vector<IndexEntry> const& entries() const noexcept { return *entries_; }
    ///@}

    /// Checks every value of every entry against the source size and builds
    /// the Indexer; with no entries it visits every element in storage order.
    /// Raises InvalidIndex of the types catalog at the first value out of range.
    operator Indexer() const;  // NOLINT: converting is the builder's purpose

private:
    ArraySize size_;
    boost::shared_ptr<std::vector<IndexEntry>> entries_;
};

}  // namespace lang::core
