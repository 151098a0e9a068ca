// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/pad.hpp>

#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/indexer.hpp>

#include "detail/raise.hpp"
#include "index/detail/counting_indexer.hpp"

#include <boost/variant/get.hpp>

#include <algorithm>
#include <type_traits>

namespace lang::core {

template <class T>
Array<T> Array<T>::pad(unsigned long dim, unsigned long length, T fill) const {
    unsigned long const n = size_(dim);
    if (length == n) return *this;
    T const* const in = x();
    if (length > n) {
        ArraySize filler = size_;
        filler.replace(dim, length - n);
        Concatenator const plan(dim, {size_, filler});
        auto result = uninitialized(plan.size());
        T* const out = result.x();
        // Each operand's source indexer visits it in storage order, so a
        // running count stands for it; the filler's elements are all `fill`.
        unsigned long k = 0;
        plan.entries()[0].dstIndexer().for_each([&](unsigned long p) { out[p] = in[k++]; });
        plan.entries()[1].dstIndexer().for_each([&](unsigned long p) { out[p] = fill; });
        return result;
    }
    // Only a length of 0 cuts a dimension past the stored ones: the result
    // is empty, and its shape may be one that cannot be stored.
    if (length == 0) {
        ArraySize empty = size_;
        empty.replace(dim, 0);
        return uninitialized(empty);
    }
    std::vector<detail::Counting> kept(size_.size());
    for (unsigned long j = 0; j < size_.size(); ++j) kept[j] = {0, j == dim ? length : size_(j)};
    Indexer const indexer = detail::counting_indexer(size_, kept);
    auto result = uninitialized(indexer.size());
    T* const out = result.x();
    unsigned long k = 0;
    indexer.for_each([&](unsigned long p) { out[k++] = in[p]; });
    return result;
}

template Array<bool> Array<bool>::pad(unsigned long, unsigned long, bool) const;
template Array<int> Array<int>::pad(unsigned long, unsigned long, int) const;
template Array<unsigned long> Array<unsigned long>::pad(unsigned long, unsigned long, unsigned long) const;
template Array<double> Array<double>::pad(unsigned long, unsigned long, double) const;

Constant pad(Constant const& value, unsigned long dim, unsigned long length, ScalarConstant const& fill) {
    return visit([&](auto const& x) -> Constant {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_array_v<A>) {
            using T = typename A::element_type;
            auto const* const f = boost::get<Scalar<T>>(&fill.value());
            if (f == nullptr) raise<msg::constants::TypeMismatchForPad>(type::id_of<T>, scalar_type(fill));
            return x.pad(dim, length, f->value);
        } else {
            raise<msg::constants::InvalidArray>(value_type(value));
        }
    }, value);
}

}  // namespace lang::core
