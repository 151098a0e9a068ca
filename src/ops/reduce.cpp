// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/reduce.hpp>

#include <lang/core/types/array_type.hpp>

#include "constants/detail/element.hpp"
#include "constants/detail/fresh_array.hpp"
#include "detail/raise.hpp"
#include "ops/detail/element_ops.hpp"
#include "ops/kernels/fold.hpp"

#include <limits>
#include <stdexcept>
#include <type_traits>

namespace lang::core {
namespace {

/// f(OpConstant<o>{}) for o among First, Rest..., each a base operator.
template <op::Id First, op::Id... Rest, class F>
decltype(auto) visit_among(op::Id o, F&& f) {
    if (o == First) return f(detail::OpConstant<First>{});
    if constexpr (sizeof...(Rest) != 0) return visit_among<Rest...>(o, f);
    else throw std::logic_error("bad visit");
}

// The reductions reach their arithmetic through their base operators, so a
// sum adds exactly as plus does and a minimum treats NaN as min does.
template <class F>
decltype(auto) visit_base(accum::Id reduction, F&& f) {
    if (reduction < 0 || reduction >= accum::COUNT) throw std::logic_error("bad visit");
    return visit_among<op::PLUS, op::TIMES, op::OR, op::AND, op::MIN, op::MAX>(accum::base(reduction), f);
}

template <class F>
decltype(auto) visit_base(extrema::Id extremum, F&& f) {
    if (extremum < 0 || extremum >= extrema::COUNT) throw std::logic_error("bad visit");
    return visit_among<op::LT, op::GT>(extrema::base(extremum), f);
}

/// The identity of a base operator: folding from it leaves the first
/// element's value (up to the sign of a real zero under plus).
template <op::Id O, class T>
constexpr T identity() noexcept {
    using limits = std::numeric_limits<T>;
    if constexpr (O == op::PLUS) return T(0);
    else if constexpr (O == op::TIMES) return T(1);
    else if constexpr (O == op::OR) return false;
    else if constexpr (O == op::AND) return true;
    else if constexpr (O == op::MIN) return limits::has_infinity ? limits::infinity() : limits::max();
    else return limits::has_infinity ? -limits::infinity() : limits::lowest();
}

using kernels::Walk;

/// How linear positions split around dimension d.
Walk walk(ArraySize const& s, unsigned long dim) {
    auto const lengths = s.data()->lengths();
    Walk w{1, s(dim), 1};
    for (unsigned long i = 0; i < lengths.size(); ++i) {
        if (i < dim) w.stride *= lengths[i];
        else if (i > dim) w.outer *= lengths[i];
    }
    return w;
}

// The dispatch both reductions share: by base operator, then by array
// element type; `kernel(base, array)` runs for the pairs the base operator
// folds, and every other operand raises Message.
template <class Message, class Id, class Kernel>
Constant reduce_array(Id id, Constant const& value, Kernel kernel) {
    return visit_base(id, [&](auto base) {
        constexpr op::Id o = decltype(base)::value;
        return visit([&](auto const& x) -> Constant {
            using A = std::decay_t<decltype(x)>;
            if constexpr (is_array_v<A>) {
                if constexpr (detail::binary_rule<o, typename A::element_type>) return kernel(base, x);
            }
            raise<Message>(id, value_type(value));
        }, value);
    });
}

}  // namespace

Constant apply(accum::Id reduction, unsigned long dim, Constant const& value) {
    return reduce_array<msg::constants::InvalidAccum>(reduction, value, [dim](auto base, auto const& x) -> Constant {
        constexpr op::Id o = decltype(base)::value;
        using T = typename std::decay_t<decltype(x)>::element_type;
        ArraySize size = x.size();
        size.replace(dim, 1);
        return detail::fresh_array<T>(size, [&](T* out) {
            // An empty result may still have a long dimension to walk.
            if (size.numElements() != 0) {
                kernels::fold(x.x(), out, walk(x.size(), dim), identity<o, T>(), detail::ElementOp<o>{});
            }
        });
    });
}

Constant apply(extrema::Id extremum, unsigned long dim, Constant const& value) {
    return reduce_array<msg::constants::InvalidExtrema>(extremum, value, [dim](auto base, auto const& x) -> Constant {
        constexpr op::Id o = decltype(base)::value;
        ArraySize size = x.size();
        Walk const w = walk(size, dim);
        if (w.len != 0) size.replace(dim, 1);
        Array<unsigned long> result(size);
        if (!result.empty()) kernels::run(kernels::SelectLoop{}, x.x(), result.x(), w, detail::ElementOp<o>{});
        return result;
    });
}

ScalarConstant accumulation_ident(accum::Id reduction, type::Id element) {
    // The start value of an accumulation over an empty 0x1 array, read off
    // without building that array.
    return detail::visit_element_type(element, [&](auto zero) {
        using T = std::decay_t<decltype(zero)>;
        return visit_base(reduction, [&](auto base) -> ScalarConstant {
            constexpr op::Id o = decltype(base)::value;
            if constexpr (detail::binary_rule<o, T>) {
                return Scalar<T>{identity<o, T>()};
            } else {
                raise<msg::constants::InvalidAccum>(reduction, ArrayType(element, ArraySize{0, 1}));
            }
        });
    });
}

}  // namespace lang::core
