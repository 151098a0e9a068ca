// SPDX-License-Identifier: Apache-2.0
// The rules for one element of each element type, written once and used both
// by Array<T> and by the scalar alternatives of Constant and ScalarConstant:
// hash key, equality, three-way order, stream text, user text, digest bytes.
#pragma once

#include <lang/core/types/digest_sink.hpp>
#include <lang/core/types/type_id.hpp>

#include "detail/digest.hpp"

#include <kbase/numeric.hpp>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace lang::core::detail {

template <class T>
concept ElementType = type::id_of<T> != type::INVALID;

/// What an element adds to a hash; equal elements give equal keys.
template <ElementType T>
std::uint64_t element_key(T e) noexcept {
    if constexpr (std::is_same_v<T, double>) {
        if (e == 0.0) return 0;  // both zeros
        if (kbase_is_nan(e)) return ~std::uint64_t{2};
        if (kbase_is_inf(e)) return e > 0 ? ~std::uint64_t{0} : ~std::uint64_t{1};
        return std::bit_cast<std::uint64_t>(e);
    } else if constexpr (std::is_same_v<T, int>) {
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(e));
    } else {
        return static_cast<std::uint64_t>(e);
    }
}

/// NaN equals NaN and 0.0 equals -0.0.
template <ElementType T>
bool element_equal(T a, T b) noexcept {
    if constexpr (std::is_same_v<T, double>) {
        return a == b || (kbase_is_nan(a) && kbase_is_nan(b));
    } else {
        return a == b;
    }
}

/// 0 equal, 1 when `a` orders first, 2 when it orders second, 3 when exactly
/// one of two reals is NaN.
template <ElementType T>
int element_compare(T a, T b) noexcept {
    if (a < b) return 1;
    if (b < a) return 2;
    if constexpr (std::is_same_v<T, double>) {
        if (kbase_is_nan(a) != kbase_is_nan(b)) return 3;
    }
    return 0;
}

inline void write_real(std::ostream& os, double e) {
    if (kbase_is_nan(e)) {
        os << "nan";
    } else if (kbase_is_inf(e)) {
        os << (e > 0 ? "inf" : "-inf");
    } else {
        char text[32];
        int const n = kbase_snprintf(text, sizeof text, "%.16g", e);
        os.write(text, n);
        // The text must still read as a real when it has neither fraction
        // nor exponent; the first character is skipped for the sign.
        if (!std::strpbrk(text + 1, ".e")) os << ".0";
    }
}

/// The element's stream text: true, -3, 7i, 2.0, nan, -inf.
template <ElementType T>
void write_element(std::ostream& os, T e) {
    if constexpr (std::is_same_v<T, bool>) {
        os << (e ? "true" : "false");
    } else if constexpr (std::is_same_v<T, int>) {
        os << e;
    } else if constexpr (std::is_same_v<T, unsigned long>) {
        os << e << 'i';
    } else {
        write_real(os, e);
    }
}

inline std::string real_user_text(double e) {
    if (kbase_is_nan(e)) return "NaN";
    if (kbase_is_inf(e)) return e < 0 ? "-Inf" : "Inf";
    double const a = std::fabs(e);
    char text[64];
    if (a < 1e9 && a == std::floor(a)) {
        kbase_snprintf(text, sizeof text, "%d", static_cast<int>(a));
    } else if (a < 0.0001 || a > 10000) {
        int const n = kbase_snprintf(text, sizeof text, "%4.4e", a);
        // Some C libraries print three exponent digits where two suffice.
        char* const exponent = std::strchr(text, 'e') + 2;
        if (text + n - exponent >= 3 && *exponent == '0') std::memmove(exponent, exponent + 1, text + n - exponent);
    } else {
        kbase_snprintf(text, sizeof text, "%4.4f", a);
    }
    std::string result(e < 0 ? "-" : "");
    result += text;
    return result;
}

/// The element's user text before any type-constructor wrapping: true, 5,
/// 2.5000, 1.0000e+09, -Inf.
template <ElementType T>
std::string element_user_text(T e) {
    if constexpr (std::is_same_v<T, bool>) {
        return e ? "true" : "false";
    } else if constexpr (std::is_same_v<T, double>) {
        return real_user_text(e);
    } else {
        char text[64];
        if constexpr (std::is_same_v<T, int>) kbase_snprintf(text, sizeof text, "%d", e);
        else kbase_snprintf(text, sizeof text, "%lu", e);
        return text;
    }
}

/// Feeds the element as its digest field(s): 1, 4 or 8 bytes, or for a real
/// the two words of its canonical value, so equal reals feed equal bytes.
template <ElementType T>
void feed_element(DigestSink& sink, T e) {
    if constexpr (std::is_same_v<T, bool>) {
        feed(sink, std::uint8_t{e});
    } else if constexpr (std::is_same_v<T, int>) {
        feed(sink, std::int32_t{e});
    } else if constexpr (std::is_same_v<T, unsigned long>) {
        feed(sink, std::uint64_t{e});
    } else {
        using kbase::detail::GetInf;
        using kbase::detail::GetNaN;
        double canonical = e;
        if (kbase_is_nan(e)) canonical = GetNaN<double>();
        else if (e == 0.0) canonical = 0.0;
        else if (kbase_is_inf(e)) canonical = e > 0 ? GetInf<double>() : -GetInf<double>();
        auto const words = kbase::to_ints(canonical);
        feed(sink, words[0]);
        feed(sink, words[1]);
    }
}

/// Calls f(T{}) with the element type of `id`; any other id raises
/// std::logic_error ("bad visit").
template <class F>
decltype(auto) visit_element_type(type::Id id, F&& f) {
    switch (id) {
    case type::LOGICAL: return f(false);
    case type::INTEGER: return f(0);
    case type::INDEX: return f(0UL);
    case type::REAL: return f(0.0);
    default: throw std::logic_error("bad visit");
    }
}

}  // namespace lang::core::detail
