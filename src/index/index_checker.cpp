// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/index_checker.hpp>

#include "detail/exact_length.hpp"
#include "detail/raise.hpp"

namespace lang::core {
namespace {

std::vector<unsigned long> admissible_lengths(ArraySize const& size, kbase::Positive<unsigned long> subscripts) {
    // Admitted subscripts become positions: the shape must have a true count.
    (void)detail::exact_count(size);
    std::vector<unsigned long> lengths(subscripts.get());
    for (unsigned long k = 0; k < lengths.size(); ++k) lengths[k] = length(size, k, subscripts);
    return lengths;
}

}  // namespace

IndexChecker::IndexChecker(ArraySize const& size, kbase::Positive<unsigned long> subscripts)
    : impl_(std::make_shared<Impl const>(Impl{size, admissible_lengths(size, subscripts)})) {}

void IndexChecker::operator()(unsigned long index, unsigned long position) const {
    if (index >= impl_->lengths.at(position)) raise<msg::types::InvalidIndex>(to_user_string(impl_->size), index);
}

}  // namespace lang::core
