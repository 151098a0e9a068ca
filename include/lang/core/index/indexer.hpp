// SPDX-License-Identifier: Apache-2.0
// The linear source positions that a subscripted selection visits, in
// column-major order over the selection, and the selection's shape.
// An Indexer checks nothing (IndexerBuilder does); its iterators refer to it
// and are valid only while it lives and stays where it is. A move copies, so
// a moved-from indexer still visits its positions.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/index/index_range.hpp>
#include <lang/core/types/array_size.hpp>

#include <boost/iterator/iterator_facade.hpp>
#include <boost/range/iterator.hpp>

#include <algorithm>
#include <utility>
#include <vector>

namespace lang::core {

/// The source positions a subscripted selection reads, in the selection's
/// storage order.
///
/// The positions the subscript m(:, [2, 0]) of a 2x3 array m reads:
/// \snippet folding_tour.cpp indexer
class LANGCORE_API Indexer {
public:
    /// An iterator into one entry's range.
    using It = boost::range_iterator<IndexRange const>::type;

    /// Walks every combination of the entries' values, entry 0 fastest, and
    /// yields the source position of each; equal iterators have equal counts.
    class LANGCORE_API Iterator
        : public boost::iterator_facade<Iterator, unsigned long const, boost::forward_traversal_tag> {
    public:
        /// An end iterator: only its count is meaningful.
        explicit Iterator(unsigned long count = 0) noexcept : count_(count) {}
        /// A begin iterator over the entries' (begin, end) pairs and the
        /// source multipliers.
        Iterator(std::vector<std::pair<It, It>> const& pairs, std::vector<unsigned long> const& multipliers);

        /// The iterator_facade core, which the iterator operators call.
        ///@{
        unsigned long const& dereference() const noexcept { return position_; }

        void increment() {
            ++count_;
            if (iterators_.empty()) return;
            // Entry 0 moves on every step; only its roll-over reaches carry().
            It& first = iterators_.front();
            ++first;
            if (first != pairs_->front().second) {
                position_ = rest_ + *first * first_stride_;
                return;
            }
            carry();
        }

        ///@}
        /// Does nothing: the iterator only moves forward.
        void decrement() noexcept {}

        /// Equal counts.
        bool equal(Iterator const& other) const noexcept { return count() == other.count(); }

        /// Increments performed since begin.
        unsigned long count() const noexcept { return count_; }
        /// The entries' (begin, end) pairs it was made with.
        std::vector<std::pair<It, It>> const& pairs() const noexcept { return *pairs_; }
        /// The source multipliers it was made with.
        std::vector<unsigned long> const& multipliers() const noexcept { return *multipliers_; }
        /// The current iterator of each entry.
        std::vector<It> const& iterators() const noexcept { return iterators_; }

    private:
        friend class Indexer;

        /// Restarts entry 0 and advances the others as far as the carry goes.
        void carry();

        std::vector<std::pair<It, It>> const* pairs_ = nullptr;
        std::vector<unsigned long> const* multipliers_ = nullptr;
        std::vector<It> iterators_;
        unsigned long count_ = 0;
        unsigned long position_ = 0;
        /// The part of the position that entries 1, 2, ... contribute.
        unsigned long rest_ = 0;
        unsigned long first_stride_ = 0;
    };

    /// Visits `entries` over a source of size `src`; `dst` is the shape of
    /// the selection and must hold as many elements as the entries combine to.
    Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries);
    /// Copies. No move is declared, so a move copies and leaves the source
    /// as it was.
    ///@{
    Indexer(Indexer const&) = default;
    Indexer& operator=(Indexer const&) = default;
    ///@}

    /// The shape of the selection.
    ArraySize const& size() const noexcept { return size_; }
    /// One subscript range per dimension of the source.
    std::vector<IndexEntry> const& entries() const noexcept { return entries_; }
    /// The source's strides, then its element count.
    std::vector<unsigned long> const& multipliers() const noexcept { return multipliers_; }

    /// The source positions, one per element of the selection.
    ///@{
    Iterator begin() const;
    Iterator end() const noexcept { return Iterator(size_.numElements()); }
    ///@}

    /// Calls `f(position)` for each position from begin() to end(), in order.
    /// Faster than the iterator: a short entry 0 is read once per call and
    /// replayed as a plain inner loop for every step of the other entries.
    template <class F>
    void for_each(F&& f) const {
        unsigned long const total = size_.numElements();
        Iterator it = begin();
        std::vector<unsigned long> const pass = first_pass();
        if (pass.empty()) {
            for (; it.count_ < total; it.increment()) f(it.position_);
            return;
        }
        unsigned long const* const values = pass.data();
        bool const consecutive = consecutive_positions(pass);
        while (true) {
            unsigned long const rest = it.rest_;
            unsigned long const n = std::min<unsigned long>(pass.size(), total - it.count_);
            if (consecutive) {
                for (unsigned long i = 0, start = rest + values[0]; i < n; ++i) f(start + i);
            } else {
                for (unsigned long i = 0; i < n; ++i) f(rest + values[i]);
            }
            it.count_ += n;
            if (it.count_ >= total) return;
            it.carry();
        }
    }

private:
    /// Entry 0's values times its stride, as its range yields them now; empty
    /// when there are none, or too many to be worth reading ahead.
    std::vector<unsigned long> first_pass() const;
    /// True when each position is one past the one before: a loop then
    /// counts instead of reading them.
    static bool consecutive_positions(std::vector<unsigned long> const& pass) noexcept;

    ArraySize size_;
    std::vector<IndexEntry> entries_;
    std::vector<std::pair<It, It>> pairs_;
    std::vector<unsigned long> multipliers_;
};

}  // namespace lang::core
