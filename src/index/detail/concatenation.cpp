// SPDX-License-Identifier: Apache-2.0
#include "index/detail/concatenation.hpp"

#include "detail/exact_length.hpp"
#include "detail/raise.hpp"

namespace lang::core::detail {

ArraySize concatenated_size(unsigned long dim, std::vector<ArraySize> const& sizes) {
    if (sizes.empty()) raise<msg::index::EmptyConcatenation>();
    ArraySize result = sizes.front();
    result.replace(dim, 0);
    unsigned long total = 0;
    for (ArraySize const& size : sizes) {
        ArraySize others = size;
        others.replace(dim, 0);
        if (others != result) raise<msg::index::InvalidConcatenation>(dim, sizes.front(), size);
        total = exact_sum(total, size(dim));
    }
    result.replace(dim, total);
    // The plan computes positions in the result, so its count must not wrap.
    (void)exact_count(result);
    return result;
}

}  // namespace lang::core::detail
