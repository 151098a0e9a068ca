// The linear source positions that a subscripted selection visits, in
// column-major order over the selection, and the selection's shape.
// An Indexer checks nothing (IndexerBuilder does); its iterators refer to it
// and are valid only while it lives and stays where it is.
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
        Iterator(std::vector<std::pair<It, It>> const& pairs, std::vector<unsigned long> const& multipliers)
            : Iterator(pairs, multipliers, nullptr, 0) {}

        /// The iterator_facade core, which the iterator operators call.
        ///@{
        unsigned long const& dereference() const noexcept { return position_; }

        void increment() {
            // Entry 0 moves on every step; only its roll-over reaches carry().
            if (cursor_ != nullptr) {
                if (++cursor_ != table_end_) {
                    position_ = rest_ + *cursor_;
                    return;
                }
            } else if (!iterators_.empty()) {
                ++count_;
                It& first = iterators_.front();
                ++first;
                if (first != pairs_->front().second) {
                    position_ = rest_ + *first * first_stride_;
                    return;
                }
            } else {
                ++count_;
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
        unsigned long count() const noexcept { return count_ + static_cast<unsigned long>(cursor_ - table_); }
        /// The entries' (begin, end) pairs it was made with.
        std::vector<std::pair<It, It>> const& pairs() const noexcept { return *pairs_; }
        /// The source multipliers it was made with.
        std::vector<unsigned long> const& multipliers() const noexcept { return *multipliers_; }
        /// The current iterator of each entry.
        std::vector<It> iterators() const;

    private:
        friend class Indexer;

        Iterator(std::vector<std::pair<It, It>> const& pairs, std::vector<unsigned long> const& multipliers,
                 unsigned long const* table, unsigned long table_size);

        void carry();

        std::vector<std::pair<It, It>> const* pairs_ = nullptr;
        std::vector<unsigned long> const* multipliers_ = nullptr;
        std::vector<It> iterators_;
        /// Increments up to the current pass over entry 0 when it is tabled,
        /// otherwise all of them.
        unsigned long count_ = 0;
        unsigned long position_ = 0;
        /// The part of the position that entries 1, 2, ... contribute.
        unsigned long rest_ = 0;
        unsigned long first_stride_ = 0;
        /// Entry 0's contributions when the Indexer tabled them: entry 0 is
        /// then tracked by `cursor_` and its iterator stays at its begin.
        unsigned long const* table_ = nullptr;
        unsigned long const* table_end_ = nullptr;
        unsigned long const* cursor_ = nullptr;
    };

    /// Visits `entries` over a source of size `src`; `dst` is the shape of
    /// the selection and must hold as many elements as the entries combine to.
    Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries);

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
    /// Faster than the iterator: a tabled entry 0 runs as a plain inner loop.
    template <class F>
    void for_each(F&& f) const {
        unsigned long const total = size_.numElements();
        Iterator it = begin();
        while (it.count() < total) {
            if (it.cursor_ == nullptr) {
                f(*it);
                it.increment();
                continue;
            }
            // The rest of this pass over entry 0, or as much of it as is left.
            unsigned long const rest = it.rest_;
            unsigned long const* const last =
                it.cursor_ + std::min<unsigned long>(it.table_end_ - it.cursor_, total - it.count());
            for (unsigned long const* p = it.cursor_; p != last; ++p) f(rest + *p);
            it.cursor_ = last - 1;
            it.increment();
        }
    }

private:
    ArraySize size_;
    std::vector<IndexEntry> entries_;
    std::vector<std::pair<It, It>> pairs_;
    std::vector<unsigned long> multipliers_;
    /// Entry 0's values times its stride, when it has few enough of them.
    std::vector<unsigned long> first_table_;
    bool tabled_ = false;
};

}  // namespace lang::core
