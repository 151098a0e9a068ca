// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/convert.hpp>

#include "constants/detail/element.hpp"
#include "detail/raise.hpp"
#include "ops/detail/convert_element.hpp"
#include "ops/kernels/kernel_path.hpp"

#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lang::core {
namespace {

// Converts n elements and, when Check is set, reports whether any changed.
// The flag is an or over the whole run rather than an early exit, so the
// loop stays branch-free.
template <bool Check, class U>
struct ConvertLoop {
    template <class T>
    [[gnu::always_inline]] bool operator()(auto, T const* __restrict in, U* __restrict out, unsigned long n) const {
        bool changed = false;
        unsigned long i = 0;
#ifdef __SSE2__
        if constexpr (std::is_same_v<T, double> && std::is_same_v<U, int>) {
            // The processor's truncation gives INT_MIN for NaN and for every
            // value outside int's range, which is real_to_integer's rule, so
            // it needs no range test. Compared as doubles, a NaN or a value
            // that did not survive differs from its image; -0.0 does not.
            // Four at a time, in two independent halves.
            __m128d differs = _mm_setzero_pd();
            for (; i + 4 <= n; i += 4) {
                __m128d const x0 = _mm_loadu_pd(in + i);
                __m128d const x1 = _mm_loadu_pd(in + i + 2);
                __m128i const y0 = _mm_cvttpd_epi32(x0);
                __m128i const y1 = _mm_cvttpd_epi32(x1);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi64(y0, y1));
                if constexpr (Check) {
                    __m128d const d0 = _mm_cmpneq_pd(_mm_cvtepi32_pd(y0), x0);
                    __m128d const d1 = _mm_cmpneq_pd(_mm_cvtepi32_pd(y1), x1);
                    differs = _mm_or_pd(differs, _mm_or_pd(d0, d1));
                }
            }
            changed = _mm_movemask_pd(differs) != 0;
        }
#endif
        for (; i < n; ++i) {
            U const y = detail::convert_element<U>(in[i]);
            out[i] = y;
            if constexpr (Check) changed |= detail::conversion_changes(in[i], y);
        }
        return changed;
    }
};

template <bool Check>
std::pair<Constant, bool> convert_to(type::Id const& target, Constant const& value) {
    return detail::visit_element_type(target, [&](auto zero) {
        using U = std::decay_t<decltype(zero)>;
        return visit([&](auto const& x) -> std::pair<Constant, bool> {
            using A = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<A, Scalar<U>> || std::is_same_v<A, Array<U>>) {
                return {value, false};
            } else if constexpr (is_scalar_v<A>) {
                U const y = detail::convert_element<U>(x.value);
                return {Scalar<U>{y}, Check && detail::conversion_changes(x.value, y)};
            } else if constexpr (is_array_v<A>) {
                auto result = Array<U>::uninitialized(x.size());
                bool const changed = kernels::run(ConvertLoop<Check, U>{}, x.x(), result.x(), x.size().numElements());
                return {std::move(result), changed};
            } else {
                raise<msg::constants::InvalidConversion>(value_type(value), target);
            }
        }, value);
    });
}

}  // namespace

std::pair<Constant, bool> convert_with_check(type::Id const& target, Constant const& value) {
    return convert_to<true>(target, value);
}

Constant convert(type::Id const& target, Constant const& value) {
    return convert_to<false>(target, value).first;
}

Constant to_array(Constant const& value) {
    return visit([&](auto const& x) -> Constant {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) {
            Array<typename A::element_type> result(ArraySize{1, 1});
            *result.x() = x.value;
            return result;
        } else {
            raise<msg::constants::InvalidToArray>(value_type(value));
        }
    }, value);
}

ArrayType array_type(Constant const& value) {
    return visit([&](auto const& x) -> ArrayType {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_array_v<A>) return ArrayType(type::id_of<typename A::element_type>, x.size());
        else raise<msg::constants::InvalidArray>(value_type(value));
    }, value);
}

}  // namespace lang::core
