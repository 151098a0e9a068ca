// SPDX-License-Identifier: Apache-2.0
// The conversion of a builder whose subscripts are all counting ranges, for
// the library's own plans (concatenation, padding, truncation). It checks,
// shapes and keeps entries exactly as the conversion of an IndexerBuilder
// does, but in constant time per subscript: walking the 2^60 positions of a
// subscript over an empty array one by one would never end.
#pragma once

#include <lang/core/index/indexer.hpp>
#include <lang/core/types/array_size.hpp>

#include <span>
#include <utility>

namespace lang::core::detail {

/// The half-open range of positions first .. last - 1 of one subscript.
using Counting = std::pair<unsigned long, unsigned long>;

/// The indexer over `source` that a builder with these (at least one)
/// counting subscripts converts to; raises what that conversion raises.
Indexer counting_indexer(ArraySize const& source, std::span<Counting const> subscripts);

}  // namespace lang::core::detail
