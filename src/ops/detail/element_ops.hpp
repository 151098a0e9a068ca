// SPDX-License-Identifier: Apache-2.0
// The per-element rules of the operators: ElementOp<op::PLUS>{}(a, b) adds two
// elements exactly as folding does (wrapping integers, IEEE reals). A functor
// is callable only for the element types the operator accepts, so
// `unary_rule<O, T>` and `binary_rule<O, T>` are the operator tables.
//
// Integer and index DIVIDE assume a non-zero divisor: callers check first.
#pragma once

#include <lang/core/ops/op_id.hpp>

#include "ops/kernels/kernel_path.hpp"

#include <bit>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace lang::core::detail {

namespace kind {
template <class T> concept Logical = std::same_as<T, bool>;
template <class T> concept Integer = std::same_as<T, int>;
template <class T> concept Index = std::same_as<T, unsigned long>;
template <class T> concept Real = std::same_as<T, double>;
/// Integer or index: arithmetic wraps.
template <class T> concept Whole = Integer<T> || Index<T>;
template <class T> concept Numeric = Whole<T> || Real<T>;
/// Numeric, or a compiler vector of reals, to which the real rules of the
/// folding operators apply lane by lane. Operators that take vectors are
/// always inlined into the path's kernel: a call between code compiled for
/// different instruction sets (as at -O0) passes a wide vector by another
/// convention on each side.
template <class T> concept NumericOrVector =
    Numeric<T> || (sizeof(T) >= 16 && std::has_single_bit(sizeof(T)) && std::same_as<T, kernels::Vector<double, sizeof(T)>>);
}  // namespace kind

// Wrapping arithmetic is done on the unsigned twin; converting back is
// modular since C++20, so no step is undefined.
template <kind::Whole T>
constexpr std::make_unsigned_t<T> bits(T a) noexcept {
    return static_cast<std::make_unsigned_t<T>>(a);
}
template <kind::Whole T>
constexpr T wrap(std::make_unsigned_t<T> u) noexcept {
    return static_cast<T>(u);
}

inline constexpr double real_nan = std::numeric_limits<double>::quiet_NaN();

/// The floored remainder: the sign of b, and a itself when b is 0.
constexpr int integer_mod(int a, int b) noexcept {
    if (b == 0) return a;
    if (b == -1) return 0;  // also keeps INT_MIN % -1 from trapping
    int const r = a % b;
    return r != 0 && (r < 0) != (b < 0) ? r + b : r;
}

/// The exact real remainder with the sign of b; a quotient within an
/// epsilon of an integer counts as exact division.
inline double real_mod(double a, double b) noexcept {
    if (b == 0) return a == 0 ? b : a;
    if (!std::isfinite(a) || std::isnan(b)) return real_nan;
    double const zero = std::copysign(0.0, b);
    double const ma = std::fabs(a);
    double const mb = std::fabs(b);
    bool const opposite = std::signbit(a) != std::signbit(b);
    double r;
    if (ma < mb) {
        if (a == 0) return zero;
        r = opposite ? a + b : a;
    } else if (ma == mb) {
        return zero;
    } else {
        // fmod is exact: no rounding happens in the remainder itself.
        double const e = std::fmod(ma, mb);
        if (e == 0) return zero;
        r = opposite ? std::copysign(e, a) + b : std::copysign(e, a);
    }
    if (r != 0 && std::isfinite(b) && b != std::trunc(b)) {
        double const q = a / b;
        if (std::fabs(q - std::round(q)) <= std::fabs(q) * std::numeric_limits<double>::epsilon()) return zero;
    }
    return r;
}

/// a raised to b by squaring, every product wrapping; b < 0 gives 0.
template <kind::Whole T>
constexpr T whole_power(T a, T b) noexcept {
    if constexpr (kind::Integer<T>) {
        if (b < 0) return 0;
    }
    using U = std::make_unsigned_t<T>;
    U base = bits(a);
    U result = 1;
    // The ring is commutative, so multiplying bottom-up gives the same
    // residue as the top-down (x^(b/2))^2 definition.
    for (U e = bits(b); e != 0; e >>= 1) {
        if (e & 1) result *= base;
        base *= base;
    }
    return wrap<T>(result);
}

/// The real power with its special exponents tested first, in this order.
inline double real_power(double a, double b) noexcept {
    if (b == 2) return a * a;
    if (b == 1) return a;
    if (b == 0 && !std::isnan(a)) return 1;
    if (b == -1) return 1 / a;
    if (std::isnan(a) || std::isnan(b)) return real_nan;
    return std::pow(a, b);
}

/// One functor per operator; the primary template (TRANSPOSE, MTIMES) has
/// no element rule.
template <op::Id O>
struct ElementOp {};

template <>
struct ElementOp<op::UPLUS> {
    template <kind::Numeric T> constexpr T operator()(T a) const noexcept { return a; }
};

template <>
struct ElementOp<op::UMINUS> {
    constexpr int operator()(std::same_as<int> auto a) const noexcept { return wrap<int>(0u - bits(a)); }
    constexpr double operator()(std::same_as<double> auto a) const noexcept { return -a; }
};

template <>
struct ElementOp<op::NOT> {
    constexpr bool operator()(std::same_as<bool> auto a) const noexcept { return !a; }
};

// Whole types wrap in their unsigned twin; reals, and vectors of them for
// the folds, follow IEEE.
#define LANGCORE_ARITHMETIC(ID, OP, KIND)                                 \
    template <>                                                          \
    struct ElementOp<op::ID> {                                           \
        template <kind::KIND T>                                          \
        [[gnu::always_inline]] constexpr T operator()(T a, T b) const noexcept { \
            if constexpr (kind::Whole<T>) return wrap<T>(bits(a) OP bits(b)); \
            else return a OP b;                                          \
        }                                                                \
    };
LANGCORE_ARITHMETIC(PLUS, +, NumericOrVector)
LANGCORE_ARITHMETIC(MINUS, -, Numeric)
LANGCORE_ARITHMETIC(TIMES, *, NumericOrVector)
#undef LANGCORE_ARITHMETIC

template <>
struct ElementOp<op::DIVIDE> {
    template <kind::Numeric T>
    constexpr T operator()(T a, T b) const noexcept {
        // Truncating division; INT_MIN / -1 wraps to INT_MIN.
        if constexpr (kind::Integer<T>) return b == -1 ? wrap<int>(0u - bits(a)) : a / b;
        else return a / b;
    }
};

template <>
struct ElementOp<op::MOD> {
    template <kind::Numeric T>
    constexpr T operator()(T a, T b) const noexcept {
        if constexpr (kind::Integer<T>) return integer_mod(a, b);
        else if constexpr (kind::Index<T>) return b == 0 ? a : a % b;
        else return real_mod(a, b);
    }
};

template <>
struct ElementOp<op::POWER> {
    template <kind::Numeric T>
    constexpr T operator()(T a, T b) const noexcept {
        if constexpr (kind::Whole<T>) return whole_power(a, b);
        else return real_power(a, b);
    }
};

// Comparisons give logical values; for reals they are the IEEE ones, so
// anything compared with NaN is false except NE, and 0 equals -0. AND and OR
// are bitwise on 0/1 values: the same result as && and ||, without branches.
#define LANGCORE_LOGICAL_RESULT(ID, OP, KIND)                                                        \
    template <>                                                                                    \
    struct ElementOp<op::ID> {                                                                     \
        template <class T>                                                                         \
            requires KIND                                                                          \
        constexpr bool operator()(T a, T b) const noexcept { return a OP b; }                      \
    };
LANGCORE_LOGICAL_RESULT(LT, <, kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(LE, <=, kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(GT, >, kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(GE, >=, kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(EQ, ==, kind::Logical<T> || kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(NE, !=, kind::Logical<T> || kind::Numeric<T>)
LANGCORE_LOGICAL_RESULT(AND, &, kind::Logical<T>)
LANGCORE_LOGICAL_RESULT(OR, |, kind::Logical<T>)
#undef LANGCORE_LOGICAL_RESULT

template <>
struct ElementOp<op::INV> {
    template <kind::Real T> constexpr T operator()(T a) const noexcept { return 1 / a; }
};

// The real functions that are the math library's own.
#define LANGCORE_REAL_FUNCTION(ID, FN)                                                  \
    template <>                                                                         \
    struct ElementOp<op::ID> {                                                          \
        template <kind::Real T> T operator()(T a) const noexcept { return std::FN(a); } \
    };
LANGCORE_REAL_FUNCTION(SQRT, sqrt)
LANGCORE_REAL_FUNCTION(EXP, exp)
LANGCORE_REAL_FUNCTION(LOG, log)
LANGCORE_REAL_FUNCTION(LOG10, log10)
LANGCORE_REAL_FUNCTION(SIN, sin)
LANGCORE_REAL_FUNCTION(COS, cos)
LANGCORE_REAL_FUNCTION(TAN, tan)
LANGCORE_REAL_FUNCTION(ASIN, asin)
LANGCORE_REAL_FUNCTION(ACOS, acos)
LANGCORE_REAL_FUNCTION(ATAN, atan)
LANGCORE_REAL_FUNCTION(SINH, sinh)
LANGCORE_REAL_FUNCTION(COSH, cosh)
LANGCORE_REAL_FUNCTION(TANH, tanh)
LANGCORE_REAL_FUNCTION(FLOOR, floor)
LANGCORE_REAL_FUNCTION(CEIL, ceil)
LANGCORE_REAL_FUNCTION(ROUND, round)  // halves away from zero
LANGCORE_REAL_FUNCTION(FIX, trunc)
#undef LANGCORE_REAL_FUNCTION

template <>
struct ElementOp<op::ATAN2> {
    template <kind::Real T> T operator()(T a, T b) const noexcept { return std::atan2(a, b); }
};

template <>
struct ElementOp<op::SIGN> {
    constexpr int operator()(std::same_as<int> auto a) const noexcept { return (a > 0) - (a < 0); }
    /// NaN stays NaN; both zeros give +0.
    constexpr double operator()(std::same_as<double> auto a) const noexcept {
        return a < 0 ? -1.0 : a > 0 ? 1.0 : a == 0 ? 0.0 : a;
    }
};

template <>
struct ElementOp<op::ABS> {
    constexpr int operator()(std::same_as<int> auto a) const noexcept { return a >= 0 ? a : wrap<int>(0u - bits(a)); }
    /// -0 and NaN come back unchanged.
    constexpr double operator()(std::same_as<double> auto a) const noexcept { return a < 0 ? -a : a; }
};

// The right operand wins only when strictly larger (smaller), so a NaN on
// the left survives and a NaN on the right loses.
#define LANGCORE_EXTREMUM(ID, BETTER)                                                   \
    template <>                                                                         \
    struct ElementOp<op::ID> {                                                          \
        template <kind::NumericOrVector T>                                              \
        [[gnu::always_inline]] constexpr T operator()(T a, T b) const noexcept {        \
            return b BETTER a ? b : a;                                                  \
        }                                                                               \
    };
LANGCORE_EXTREMUM(MAX, >)
LANGCORE_EXTREMUM(MIN, <)
#undef LANGCORE_EXTREMUM

/// True when the rule of O for T has no result for a zero right operand
/// (whole division), so the caller must check the divisors before computing.
template <op::Id O, class T>
inline constexpr bool needs_nonzero_divisor = O == op::DIVIDE && kind::Whole<T>;

/// True when operator O has a one-operand rule for elements of type T.
template <op::Id O, class T>
inline constexpr bool unary_rule = std::is_invocable_v<ElementOp<O> const&, T>;
/// True when operator O has a two-operand rule for elements of type T.
template <op::Id O, class T>
inline constexpr bool binary_rule = std::is_invocable_v<ElementOp<O> const&, T, T>;

template <op::Id O>
using OpConstant = std::integral_constant<op::Id, O>;

/// Calls f(OpConstant<o>{}) with the operator as a compile-time constant:
/// the one place a runtime operator becomes a type. A value outside 0..41
/// raises std::logic_error("bad visit").
template <class F>
decltype(auto) visit_op(op::Id o, F&& f) {
    if (o < 0 || o >= op::COUNT) throw std::logic_error("bad visit");
    return [&]<std::size_t... I>(std::index_sequence<I...>) -> decltype(auto) {
        using R = decltype(f(OpConstant<op::UPLUS>{}));
        using Entry = R (*)(F&);
        static constexpr Entry table[] = {[](F& g) -> R { return g(OpConstant<static_cast<op::Id>(I)>{}); }...};
        return table[o](f);
    }(std::make_index_sequence<op::COUNT>{});
}

}  // namespace lang::core::detail
