// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/subscript.hpp>

#include "detail/raise.hpp"

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/index/element_access.hpp>
#include <lang/core/index/index_range.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/type.hpp>

#include <boost/range/iterator_range.hpp>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace lang::core {

namespace {

// Runs `step` for the subscript at `position`, so that a message it raises
// names that subscript.
template <class F>
decltype(auto) at_subscript(unsigned long position, F&& step) {
    try {
        return std::forward<F>(step)();
    } catch (kbase::MessageException const& e) {
        throw SubscriptError(e.message(), position);
    }
}

// An index array, shared rather than copied, as the positions of an entry.
IndexEntry array_entry(Array<unsigned long> const& positions) {
    IndexRange range(boost::make_iterator_range(positions.x(), positions.x() + positions.size().numElements()));
    return {boost::any(positions), std::move(range)};
}

// The position a scalar constant names: a non-negative integer or an index.
// ToIndex accepts only an index and reports any other scalar.
unsigned long position_of(Constant const& value) {
    if (auto const* i = std::get_if<Scalar<int>>(&value.value()); i != nullptr && i->value >= 0)
        return static_cast<unsigned long>(i->value);
    return indexable::ToIndex<Constant>()(value);
}

// The positions a constant subscript holds; `single` tells a scalar.
IndexEntry constant_entry(Constant const& value, bool& single) {
    single = holds_scalar(value);
    if (single) {
        unsigned long const p = position_of(value);
        return make_counting_entry(p, p + 1);
    }
    if (auto const* ints = std::get_if<Array<int>>(&value.value());
        ints != nullptr && std::none_of(ints->begin(), ints->end(), [](int i) { return i < 0; })) {
        return array_entry(std::get<Array<unsigned long>>(convert(type::INDEX, value).value()));
    }
    // ToIndexRange takes only an index array and reports any other, including
    // an integer array with a negative element.
    return array_entry(indexable::ToIndexRange<Constant>()(value));
}

// The entry for subscript k of n on a source of size `size`. A position p is
// the counting range [p, p + 1), which also holds for the largest position:
// the counting iterator wraps to p + 1 == 0 and stops there.
IndexEntry entry(Subscript const& s, ArraySize const& size, unsigned long k, unsigned long n, bool& single) {
    single = false;
    return std::visit(
        [&](auto const& v) -> IndexEntry {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, unsigned long>) {
                single = true;
                return make_counting_entry(v, v + 1);
            } else if constexpr (std::is_same_v<V, Whole>) {
                return make_counting_entry(0, length(size, k, n));
            } else if constexpr (std::is_same_v<V, Range>) {
                return make_counting_entry(v.first(), v.last());
            } else if constexpr (std::is_same_v<V, std::vector<unsigned long>>) {
                return make_list_entry(v);
            } else {
                return constant_entry(v, single);
            }
        },
        s.value());
}

// The subscript whose positions the Indexer refused: the first with a value
// beyond its admissible length, in the order the Indexer checks them.
unsigned long refused_subscript(IndexerBuilder const& builder) {
    auto const& entries = builder.entries();
    for (unsigned long k = 0; k < entries.size(); ++k) {
        unsigned long const admissible = length(builder.size(), k, entries.size());
        for (unsigned long v : entries[k].second)
            if (v >= admissible) return k;
    }
    return 0;
}

Constant tuple_element(Constant const& tuple, std::span<Subscript const> subscripts) {
    if (subscripts.size() != 1) {
        at_subscript(subscripts.empty() ? 0 : 1, [&] { raise<msg::constants::InvalidGet>(value_type(tuple)); });
    }
    return at_subscript(0, [&]() -> Constant {
        Subscript::Value const& s = subscripts[0].value();
        unsigned long position = 0;
        if (auto const* p = std::get_if<unsigned long>(&s)) {
            position = *p;
        } else if (auto const* c = std::get_if<Constant>(&s); c != nullptr && holds_scalar(*c)) {
            position = position_of(*c);
        } else {
            raise<msg::constants::InvalidGet>(value_type(tuple));
        }
        return extract(tuple, position);
    });
}

template <class T>
Constant gather(Array<T> const& source, Indexer const& indexer, bool single) {
    T const* const in = source.x();
    if (single) return Scalar<T>{in[*indexer.begin()]};
    Array<T> result = Array<T>::uninitialized(indexer.size());
    T* out = result.x();
    indexer.for_each([&](unsigned long position) { *out++ = in[position]; });
    return result;
}

}  // namespace

Constant subscript(Constant const& value, std::span<Subscript const> subscripts) {
    if (holds_tuple(value)) return tuple_element(value, subscripts);
    Constant const array = holds_scalar(value) ? to_array(value) : value;
    ArraySize const size = array_type(array).size();
    IndexerBuilder builder(size);
    bool single = !subscripts.empty();
    for (unsigned long k = 0; k < subscripts.size(); ++k) {
        bool one = false;
        builder.append_(at_subscript(k, [&] { return entry(subscripts[k], size, k, subscripts.size(), one); }));
        single = single && one;
    }
    Indexer const indexer = [&]() -> Indexer {
        try {
            return builder;
        } catch (kbase::MessageException const& e) {
            throw SubscriptError(e.message(), refused_subscript(builder));
        }
    }();
    // The count must fit before the result is allocated; the shape's own
    // wrapped count would not say so.
    if (!indexer.size().data()->countFits()) throw std::bad_array_new_length();
    return visit(
        [&](auto const& a) -> Constant {
            using A = std::decay_t<decltype(a)>;
            if constexpr (is_array_v<A>) return gather(a, indexer, single);
            else throw std::logic_error("bad visit");
        },
        array);
}

}  // namespace lang::core
