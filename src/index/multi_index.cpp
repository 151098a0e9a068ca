// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/multi_index.hpp>

#include "detail/exact_length.hpp"

namespace lang::core {

boost::optional<std::vector<unsigned long>> to_multi_index(ArraySize const& size, unsigned long linear,
                                                           kbase::Positive<unsigned long> subscripts) {
    // A wrapped count would make the extents below divide to 0.
    unsigned long rem = detail::exact_count(size);
    if (linear >= rem) return boost::none;
    // With at least one element no admissible length is 0, so the divisions
    // below are safe.
    std::vector<unsigned long> out(subscripts.get());
    for (unsigned long k = out.size(); k-- > 0;) {
        rem /= length(size, k, subscripts);
        out[k] = linear / rem;
        linear %= rem;
    }
    return out;
}

boost::optional<std::vector<unsigned long>> to_multi_index(ArraySize const& size, unsigned long linear) {
    bool const column = size.size() == 2 && size(1) == 1;
    return to_multi_index(size, linear, column ? 1 : size.size());
}

}  // namespace lang::core
