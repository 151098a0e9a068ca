// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/inverse_concatenator.hpp>

#include <lang/core/index/multi_index.hpp>

#include "index/detail/concatenation.hpp"

namespace lang::core {

std::shared_ptr<InverseConcatenator::Impl> InverseConcatenator::Impl::make(unsigned long dim,
                                                                           std::vector<ArraySize> const& sizes) {
    ArraySize size = detail::concatenated_size(dim, sizes);
    return std::make_shared<Impl>(Impl{dim, sizes, size});
}

InverseConcatenator::InverseConcatenator(unsigned long dim, std::vector<ArraySize> const& sizes)
    : impl_(Impl::make(dim, sizes)) {}

boost::optional<std::pair<unsigned long, unsigned long>> InverseConcatenator::operator()(unsigned long linear) const {
    Impl const& impl = *impl_;
    auto subscripts = to_multi_index(impl.size, linear);
    if (!subscripts) return boost::none;
    std::vector<unsigned long>& subs = *subscripts;
    if (subs.size() <= impl.dim) subs.resize(impl.dim + 1, 0);

    unsigned long& along = subs[impl.dim];
    unsigned long k = 0;
    while (k < impl.sizes.size() && impl.sizes[k](impl.dim) <= along) along -= impl.sizes[k++](impl.dim);
    // Only reachable for positions the result does not have.
    if (k == impl.sizes.size()) return boost::none;

    ArraySize const& operand = impl.sizes[k];
    unsigned long position = 0;
    unsigned long stride = 1;
    for (unsigned long j = 0; j < subs.size(); ++j) {
        position += subs[j] * stride;
        stride *= operand(j);
    }
    return std::pair(k, position);
}

}  // namespace lang::core
