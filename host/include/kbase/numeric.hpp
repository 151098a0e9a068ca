// SPDX-License-Identifier: Apache-2.0
// Formatting and classification of numbers.
#pragma once

#include <kbase/export.hpp>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

/// printf formatting into a bounded buffer; returns what snprintf returns.
KBASE_API int kbase_snprintf(char* buffer, std::size_t size, char const* format, ...)
    __attribute__((format(printf, 3, 4)));

inline bool kbase_is_nan(double x) noexcept { return std::isnan(x); }
inline bool kbase_is_inf(double x) noexcept { return std::isinf(x); }
inline double kbase_get_inf() noexcept { return std::numeric_limits<double>::infinity(); }

namespace kbase {
namespace detail {

template <class T>
T GetNaN() noexcept = delete;
template <class T>
T GetInf() noexcept = delete;

/// The one NaN the host hands out (the default quiet NaN, positive sign).
template <>
inline double GetNaN<double>() noexcept { return std::numeric_limits<double>::quiet_NaN(); }
template <>
inline double GetInf<double>() noexcept { return std::numeric_limits<double>::infinity(); }

}  // namespace detail

/// The 64 bits of a double as two words, most significant first; equal bit
/// patterns give equal words.
KBASE_API std::array<std::uint32_t, 2> to_ints(double value) noexcept;

}  // namespace kbase
