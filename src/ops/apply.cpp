// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/apply.hpp>

#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/types/type.hpp>

#include "constants/detail/fresh_array.hpp"
#include "detail/raise.hpp"
#include "ops/detail/element_ops.hpp"
#include "ops/kernels/elementwise.hpp"
#include "ops/kernels/matrix_product.hpp"
#include "ops/kernels/transpose.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using detail::ElementOp;

/// One operand as the kernels see it: the element of a scalar, or an array.
template <class T>
struct Operand {
    T const* data;
    Array<T> const* array;  ///< null for a scalar

    bool scalar() const noexcept { return array == nullptr; }
};

template <class X>
auto operand(X const& x) noexcept {
    if constexpr (is_array_v<X>) return Operand<typename X::element_type>{x.x(), &x};
    else return Operand<typename X::element_type>{&x.value, nullptr};
}

// ---- Errors -----------------------------------------------------------------

/// Raises `Key` with the operator's name and the operand types.
template <class Key>
[[noreturn, gnu::cold, gnu::noinline]] void raise_about_list(op::Id o, std::span<Constant const* const> operands) {
    // The invalid operator has a name ("invalid"); a value outside the
    // enumeration has none to render.
    if (o < op::INVALID || o >= op::COUNT) throw std::logic_error("bad visit");
    std::ostringstream types;
    for (std::size_t k = 0; k < operands.size(); ++k) types << (k == 0 ? "" : ", ") << value_type(*operands[k]);
    raise<Key>(o, types.str());
}

template <class Key, class... Cs>
[[noreturn]] void raise_about(op::Id o, Cs const&... operands) {
    std::array<Constant const*, sizeof...(Cs)> const list{&operands...};
    raise_about_list<Key>(o, list);
}

// Applies `f` element by element; a scalar operand stands for every element
// and keeps its side as f's argument.
template <class T, class R, class F>
void zip(Operand<T> a, Operand<T> b, R* out, unsigned long n, F f) {
    if (a.scalar()) kernels::run_sized(n, kernels::ExpandLoop<true>{}, b.data, *a.data, out, n, f);
    else if (b.scalar()) kernels::run_sized(n, kernels::ExpandLoop<false>{}, a.data, *b.data, out, n, f);
    else kernels::run_sized(n, kernels::ZipLoop{}, a.data, b.data, out, n, f);
}

/// True when a divisor that will be used is zero.
template <class T>
bool any_zero(T const* divisors, unsigned long count) {
    return std::find(divisors, divisors + count, T{}) != divisors + count;
}

// ---- Matrix kernels ---------------------------------------------------------

template <class T>
Constant transpose(Array<T> const& a) {
    a.size().requireMatrix();
    unsigned long const m = a.size().m();
    unsigned long const n = a.size().n();
    // Building a shape takes the interning lock; a square one is its own transpose.
    ArraySize const shape = m == n ? a.size() : a.size().transpose();
    // A vector or an empty matrix keeps its linear order: only the shape changes.
    if (m <= 1 || n <= 1) return Constant(Array<T>(shape, a));
    return detail::fresh_array<T>(shape, [&](T* out) { kernels::run(kernels::TransposeLoop{}, a.x(), out, m, n); });
}

// ---- Kernels by operator ----------------------------------------------------

template <op::Id O, class T>
Constant unary(Operand<T> a, Constant const& ca) {
    if constexpr (O == op::TRANSPOSE) {
        if (!a.scalar()) return transpose(*a.array);
    } else if constexpr (detail::unary_rule<O, T>) {
        using R = std::invoke_result_t<ElementOp<O> const&, T>;
        ElementOp<O> const f;
        if (a.scalar()) return Constant(f(*a.data));
        unsigned long const n = a.array->size().numElements();
        return detail::fresh_array<R>(a.array->size(), [&](R* out) { kernels::run_sized(n, kernels::MapLoop{}, a.data, out, n, f); });
    }
    raise_about<msg::constants::InvalidOp>(O, ca);
}

template <op::Id O, class T>
Constant binary(Operand<T> a, Operand<T> b, Constant const& ca, Constant const& cb) {
    if constexpr (O == op::MTIMES) {
        if constexpr (detail::binary_rule<op::PLUS, T> && detail::binary_rule<op::TIMES, T>) {
            if (!a.scalar() && !b.scalar()) return kernels::matrix_product(*a.array, *b.array);
        }
    } else if constexpr (detail::binary_rule<O, T>) {
        using R = std::invoke_result_t<ElementOp<O> const&, T, T>;
        ElementOp<O> const f;
        if (a.scalar() && b.scalar()) {
            if constexpr (detail::needs_nonzero_divisor<O, T>) {
                if (*b.data == 0) raise_about<msg::constants::DivideByZero>(O, ca, cb);
            }
            return Constant(f(*a.data, *b.data));
        }
        ArraySize const shape = a.scalar() ? b.array->size() : a.array->size();
        if (!a.scalar() && !b.scalar()) shape.requireConsistent(b.array->size());
        unsigned long const n = shape.numElements();
        if constexpr (detail::needs_nonzero_divisor<O, T>) {
            // Only divisors that divide something count: an empty array
            // divided by a zero scalar is just empty.
            if (n != 0 && any_zero(b.data, b.scalar() ? 1 : n)) raise_about<msg::constants::DivideByZero>(O, ca, cb);
        }
        return detail::fresh_array<R>(shape, [&](R* out) { zip(a, b, out, n, f); });
    }
    raise_about<msg::constants::InvalidOp>(O, ca, cb);
}

/// Operand `c`, whose alternative is known to be K: a scalar or an array.
template <std::size_t K>
auto operand_of(Constant const& c) noexcept {
    // The table chose this entry by the alternative; no need to test it again.
    if (c.value().index() != K) __builtin_unreachable();
    return operand(*std::get_if<K>(&c.value()));
}

using detail::scalar_kinds;

// Operands of one element type reach their kernel through one indexed call
// (a table per operator, element type and which side is an array) instead
// of three nested visits, whose captures cost more than a small fold.

/// The entry of `same_type_kernels` for operands with alternatives ka and kb
/// of one element type: the scalar fold's slot, then whether a and b are arrays.
constexpr std::size_t same_type_entry(op::Id o, std::size_t ka, std::size_t kb) noexcept {
    return detail::scalar_fold_slot(o, ka % scalar_kinds) * 4 + ka / scalar_kinds * 2 + kb / scalar_kinds;
}

/// Entry I: its operator and operands' alternatives are same_type_entry's inverse.
template <std::size_t I>
Constant kernel_for(Constant const& a, Constant const& b) {
    constexpr op::Id o = static_cast<op::Id>(I / 4 / scalar_kinds);
    constexpr std::size_t ka = I / 4 % scalar_kinds + I / 2 % 2 * scalar_kinds;
    constexpr std::size_t kb = I / 4 % scalar_kinds + I % 2 * scalar_kinds;
    static_assert(same_type_entry(o, ka, kb) == I);
    return binary<o>(operand_of<ka>(a), operand_of<kb>(b), a, b);
}

constexpr auto same_type_kernels = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<detail::BinaryFold, sizeof...(I)>{&kernel_for<I>...};
}(std::make_index_sequence<detail::scalar_fold_slots * 4>{});

/// c = c op s, an array updated in place, for the compound assignments.
template <op::Id O>
Constant& compound(Constant& c, ScalarConstant const& s) {
    Constant const rhs = to_constant(s);
    bool const updated = visit([&](auto& x) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_array_v<A>) {
            using T = typename A::element_type;
            if constexpr (detail::binary_rule<O, T>) {
                auto const* const scalar = std::get_if<Scalar<T>>(&rhs.value());
                if (scalar == nullptr) return false;
                if constexpr (detail::needs_nonzero_divisor<O, T>) {
                    if (scalar->value == 0 && !x.empty()) raise_about<msg::constants::DivideByZero>(O, c, rhs);
                }
                // x() copies a shared block first, so other holders keep theirs.
                unsigned long const n = x.size().numElements();
                kernels::run_sized(n, kernels::UpdateLoop{}, x.x(), scalar->value, n, ElementOp<O>{});
                return true;
            }
        }
        return false;
    }, c);
    // Scalars, and every operand pair that raises, take the ordinary fold.
    if (!updated) c = apply(O, c, rhs);
    return c;
}

}  // namespace

Constant apply(op::Id o, Constant const& a) {
    return visit([&](auto const& x) -> Constant {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A> || is_array_v<A>) {
            return detail::visit_op(o, [&](auto O) -> Constant { return unary<O.value>(operand(x), a); });
        }
        raise_about<msg::constants::InvalidOp>(o, a);
    }, a);
}

namespace detail {

constinit std::array<BinaryFold, scalar_fold_slots> const scalar_folds = [] {
    std::array<BinaryFold, scalar_fold_slots> folds{};
    for (int o = 0; o < op::COUNT; ++o) {
        for (std::size_t k = 0; k < scalar_kinds; ++k) {
            folds[scalar_fold_slot(op::Id(o), k)] = same_type_kernels[same_type_entry(op::Id(o), k, k)];
        }
    }
    return folds;
}();

Constant apply_general(op::Id o, Constant const& a, Constant const& b) {
    // A valueless operand's index is variant_npos, which fails the bound.
    std::size_t const ka = a.value().index();
    std::size_t const kb = b.value().index();
    bool const same_type = ka < 2 * scalar_kinds && kb < 2 * scalar_kinds && ka % scalar_kinds == kb % scalar_kinds;
    if (same_type && static_cast<std::uint32_t>(o) < std::uint32_t(op::COUNT)) {
        return same_type_kernels[same_type_entry(o, ka, kb)](a, b);
    }
    // Tuples and element types that differ have no kernel; operands of one
    // element type come here only with an unknown operator.
    if (same_type) throw std::logic_error("bad visit");
    raise_about<msg::constants::InvalidOp>(o, a, b);
}

}  // namespace detail

Constant apply(op::Id o, Constants const& operands, bool fold) {
    bool const known = o >= 0 && o < op::COUNT;
    if (fold && known && accum::from_base(o) != accum::INVALID && !operands.empty()) {
        Constant result = operands.front();
        for (auto it = operands.begin() + 1; it != operands.end(); ++it) result = apply(o, result, *it);
        return result;
    }
    if (operands.size() == 1) return apply(o, operands[0]);
    if (operands.size() == 2) return apply(o, operands[0], operands[1]);
    std::vector<Constant const*> list;
    list.reserve(operands.size());
    for (Constant const& c : operands) list.push_back(&c);
    raise_about_list<msg::constants::InvalidOp>(o, list);
}

Constant& Constant::operator+=(ScalarConstant const& s) { return compound<op::PLUS>(*this, s); }
Constant& Constant::operator*=(ScalarConstant const& s) { return compound<op::TIMES>(*this, s); }
Constant& Constant::operator/=(ScalarConstant const& s) { return compound<op::DIVIDE>(*this, s); }

}  // namespace lang::core
