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

#include <utility>
#include <vector>

namespace lang::core {

class LANGCORE_API Indexer {
public:
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

        unsigned long const& dereference() const noexcept { return position_; }

        void increment() {
            ++count_;
            if (iterators_.empty()) return;
            // One step of entry 0, the common case, stays inline; a roll-over
            // goes through carry().
            It& first = iterators_.front();
            position_ -= *first * first_stride_;
            ++first;
            if (first != pairs_->front().second) {
                position_ += *first * first_stride_;
            } else {
                carry();
            }
        }

        /// Does nothing: the iterator only moves forward.
        void decrement() noexcept {}

        bool equal(Iterator const& other) const noexcept { return count_ == other.count_; }

        /// Increments performed since begin.
        unsigned long count() const noexcept { return count_; }
        std::vector<std::pair<It, It>> const& pairs() const noexcept { return *pairs_; }
        std::vector<unsigned long> const& multipliers() const noexcept { return *multipliers_; }
        /// The current iterator of each entry.
        std::vector<It> const& iterators() const noexcept { return iterators_; }

    private:
        void carry();

        std::vector<std::pair<It, It>> const* pairs_ = nullptr;
        std::vector<unsigned long> const* multipliers_ = nullptr;
        std::vector<It> iterators_;
        unsigned long count_ = 0;
        unsigned long position_ = 0;
        unsigned long first_stride_ = 0;
    };

    /// Visits `entries` over a source of size `src`; `dst` is the shape of
    /// the selection and must hold as many elements as the entries combine to.
    Indexer(ArraySize const& src, ArraySize const& dst, std::vector<IndexEntry> const& entries);

    /// The shape of the selection.
    ArraySize const& size() const noexcept { return size_; }
    std::vector<IndexEntry> const& entries() const noexcept { return entries_; }
    /// The source's strides, then its element count.
    std::vector<unsigned long> const& multipliers() const noexcept { return multipliers_; }

    Iterator begin() const { return Iterator(pairs_, multipliers_); }
    Iterator end() const noexcept { return Iterator(size_.numElements()); }

private:
    ArraySize size_;
    std::vector<IndexEntry> entries_;
    std::vector<std::pair<It, It>> pairs_;
    std::vector<unsigned long> multipliers_;
};

}  // namespace lang::core
