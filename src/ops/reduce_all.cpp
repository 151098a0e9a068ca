// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/reduce_all.hpp>

#include <lang/core/constants/array.hpp>
#include <lang/core/ops/reduce.hpp>

#include <kbase/message.hpp>

#include <stdexcept>
#include <type_traits>

namespace lang::core {

namespace {

// The array as one n x 1 column sharing its block; anything else unchanged,
// for apply() to refuse.
Constant as_column(Constant const& value) {
    return visit(
        [&](auto const& a) -> Constant {
            using A = std::decay_t<decltype(a)>;
            if constexpr (is_array_v<A>) return A(ArraySize{a.size().numElements()}, a);
            else return value;
        },
        value);
}

// Element 0 of a reduction's result as a scalar; its bounds check raises
// for an empty result.
Constant first_element(Constant const& result) {
    return visit(
        [](auto const& a) -> Constant {
            using A = std::decay_t<decltype(a)>;
            if constexpr (is_array_v<A>) {
                (void)a.size().check(0);
                return Scalar<typename A::element_type>{a.x()[0]};
            } else {
                throw std::logic_error("bad visit");
            }
        },
        result);
}

// apply(id, 0, column); a refusal is raised again for `value` itself, so
// that the message names the caller's shape rather than the column's.
template <class Id>
Constant reduce_column(Id id, Constant const& value) {
    Constant const column = as_column(value);
    try {
        return apply(id, 0, column);
    } catch (kbase::MessageException const&) {
        (void)apply(id, 0, value);
        throw;
    }
}

}  // namespace

Constant reduce_all(accum::Id reduction, Constant const& value) {
    return first_element(reduce_column(reduction, value));
}

Constant reduce_all(extrema::Id extremum, Constant const& value) {
    return first_element(reduce_column(extremum, value));
}

}  // namespace lang::core
