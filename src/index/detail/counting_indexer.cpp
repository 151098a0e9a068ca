// SPDX-License-Identifier: Apache-2.0
#include "index/detail/counting_indexer.hpp"

#include <lang/core/index/index_checker.hpp>
#include <lang/core/index/index_range.hpp>

#include "detail/exact_length.hpp"

#include <algorithm>
#include <vector>

namespace lang::core::detail {

Indexer counting_indexer(ArraySize const& source, std::span<Counting const> subscripts) {
    unsigned long const n = subscripts.size();
    IndexChecker const check(source, n);
    std::vector<unsigned long> counts(n);
    for (unsigned long k = 0; k < n; ++k) {
        auto const [first, last] = subscripts[k];
        if (first >= last) continue;
        // The first value a walk would refuse is first itself or the
        // admissible length; the checker raises for it with that value.
        unsigned long const admissible = length(source, k, n);
        if (last - 1 >= admissible) check(std::max(first, admissible), k);
        counts[k] = last - first;
    }
    ArraySize const dst(counts.data(), n);
    std::vector<IndexEntry> entries;
    entries.reserve(n);
    // An empty selection keeps empty ranges, as the walking conversion does.
    bool const empty = exact_count(dst) == 0;
    for (auto const& [first, last] : subscripts) entries.push_back(empty ? make_counting_entry(0, 0) : make_counting_entry(first, last));
    return Indexer(source, dst, entries);
}

}  // namespace lang::core::detail
