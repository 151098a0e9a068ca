// SPDX-License-Identifier: Apache-2.0
// Subscripts as the indexer sees them: a type-erased forward range of 0-based
// positions, paired with an owner that keeps whatever the range views alive.
// An IndexRange itself owns nothing; only an IndexEntry may outlive its data.
#pragma once

#include <lang/core/export.hpp>

#include <boost/any.hpp>
#include <boost/range/any_range.hpp>

#include <utility>
#include <vector>

namespace lang::core {

/// A forward range of 0-based positions, whatever holds them.
using IndexRange = boost::any_range<unsigned long, boost::forward_traversal_tag, unsigned long, long>;

/// A range of positions and its keep-alive owner; copies share the owner.
using IndexEntry = std::pair<boost::any, IndexRange>;

/// The positions first, first + 1, ..., last - 1, owned by the entry.
LANGCORE_API IndexEntry make_counting_entry(unsigned long first, unsigned long last);

/// An entry over a shared copy of `range`. The copy keeps the range's
/// iterators, not the storage they point into: a range over a caller's
/// container stays valid only while that container does.
LANGCORE_API IndexEntry make_shared_entry(IndexRange const& range);

/// An entry that owns `positions` and yields them in order.
LANGCORE_API IndexEntry make_list_entry(std::vector<unsigned long> positions);

}  // namespace lang::core
