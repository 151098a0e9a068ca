// SPDX-License-Identifier: Apache-2.0
// Block sizes the heap rounds requests up to. Sizes fall in bands, each cut
// into equal steps: 16 bytes up to 64 (a one-element array and its control
// block), 64 bytes up to 1 KiB (so such blocks keep 64-byte alignment), then
// four steps per doubling, like a float with a two-bit mantissa, so that no
// block wastes more than a fifth of itself. Every function below is derived
// from the one description of the bands in band_of.
#pragma once

#include <bit>

namespace groundwork::core::mem::detail {

/// The step of the smallest blocks, and the size up to which it applies.
constexpr unsigned long tiny_step = 16;
constexpr unsigned long tiny_limit = 64;
/// The step from tiny_limit up to linear_limit: a cache line.
constexpr unsigned long line_step = 64;
constexpr unsigned long linear_limit = 1024;
/// Above linear_limit: 2^mantissa_bits steps per doubling.
constexpr unsigned mantissa_bits = 2;
/// Requests up to this many bytes are served from the per-thread pools.
constexpr unsigned long small_limit = 64ul << 10;

/// Sizes in (floor, floor + count·step] round up to a multiple of step past
/// floor; the first of them is class `first`.
struct Band {
    unsigned long floor;
    unsigned long step;
    unsigned first;
};

constexpr unsigned tiny_classes = tiny_limit / tiny_step;
constexpr unsigned linear_classes = (linear_limit - tiny_limit) / line_step;
constexpr unsigned steps_per_doubling = 1u << mantissa_bits;

/// The band of the exponent `e`: 0 the tiny one, 1 the linear one, and
/// 2 + k the doubling above linear_limit·2^k.
constexpr Band band_of(unsigned e) noexcept {
    if (e == 0) return {0, tiny_step, 0};
    if (e == 1) return {tiny_limit, line_step, tiny_classes};
    unsigned long const floor = linear_limit << (e - 2);
    return {floor, floor >> mantissa_bits, tiny_classes + linear_classes + (e - 2) * steps_per_doubling};
}

/// The exponent of the band holding `bytes` (≥ 1), at any size.
constexpr unsigned exponent_of(unsigned long bytes) noexcept {
    if (bytes <= tiny_limit) return 0;
    if (bytes <= linear_limit) return 1;
    // linear_limit·2^k < bytes ≤ linear_limit·2^(k+1)
    return 2 + static_cast<unsigned>(std::bit_width((bytes - 1) / linear_limit)) - 1;
}

/// The number of a class for `bytes` (1 ≤ bytes ≤ small_limit).
constexpr unsigned size_class(unsigned long bytes) noexcept {
    Band const b = band_of(exponent_of(bytes));
    return b.first + static_cast<unsigned>((bytes - b.floor - 1) / b.step);
}

constexpr unsigned class_count = size_class(small_limit) + 1;

/// The exponent of the band holding class `c`.
constexpr unsigned exponent_of_class(unsigned c) noexcept {
    if (c < tiny_classes) return 0;
    if (c < tiny_classes + linear_classes) return 1;
    return 2 + (c - tiny_classes - linear_classes) / steps_per_doubling;
}

/// The block size of class `c`: the largest size that size_class maps to it.
constexpr unsigned long class_bytes(unsigned c) noexcept {
    Band const b = band_of(exponent_of_class(c));
    return b.floor + (c - b.first + 1) * b.step;
}

/// `bytes` rounded up the same way at any size (for large blocks).
constexpr unsigned long rounded_size(unsigned long bytes) noexcept {
    Band const b = band_of(exponent_of(bytes));
    return b.floor + (bytes - b.floor + b.step - 1) / b.step * b.step;
}

/// The alignment every block of class `c` has: 64 bytes from 64 bytes up,
/// 16 below (a block is never smaller than its alignment).
constexpr unsigned long class_alignment(unsigned c) noexcept {
    return class_bytes(c) >= line_step ? line_step : tiny_step;
}

}  // namespace groundwork::core::mem::detail
