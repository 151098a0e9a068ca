// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/concatenate.hpp>

#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/types/array_type.hpp>

#include <boost/range/iterator_range.hpp>

#include <vector>

namespace lang::core {

namespace {

IndexRange visited(Indexer const& indexer) { return boost::make_iterator_range(indexer.begin(), indexer.end()); }

}  // namespace

Constant concatenate(unsigned long dim, std::span<Constant const> operands) {
    std::vector<Constant> arrays;
    std::vector<ArraySize> sizes;
    arrays.reserve(operands.size());
    sizes.reserve(operands.size());
    for (Constant const& c : operands) {
        arrays.push_back(holds_scalar(c) ? to_array(c) : c);
        sizes.push_back(array_type(arrays.back()).size());
    }
    Concatenator const plan(dim, sizes);
    Constant result = indexable::Create<Constant>()(ArrayType(array_type(arrays[0]).base(), plan.size()));
    indexable::Assign<Constant> const assign;
    for (Concatenator::Entry const& entry : plan)
        assign(result, visited(entry.dstIndexer()), arrays[entry.src()], visited(entry.srcIndexer()));
    return result;
}

}  // namespace lang::core
