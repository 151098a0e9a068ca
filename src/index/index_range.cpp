// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/index_range.hpp>

#include <boost/iterator/counting_iterator.hpp>
#include <boost/range/counting_range.hpp>
#include <boost/range/iterator_range.hpp>

#include <memory>

namespace lang::core {

IndexEntry make_counting_entry(unsigned long first, unsigned long last) {
    auto owner = std::make_shared<boost::iterator_range<boost::counting_iterator<unsigned long>>>(
        boost::counting_range(first, last));
    IndexRange range(*owner);
    return {boost::any(std::move(owner)), std::move(range)};
}

IndexEntry make_shared_entry(IndexRange const& range) {
    auto owner = std::make_shared<IndexRange>(range);
    IndexRange view(*owner);
    return {boost::any(std::move(owner)), std::move(view)};
}

IndexEntry make_list_entry(std::vector<unsigned long> positions) {
    auto owner = std::make_shared<std::vector<unsigned long> const>(std::move(positions));
    IndexRange view(*owner);
    return {boost::any(std::move(owner)), std::move(view)};
}

}  // namespace lang::core
