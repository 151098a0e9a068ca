// SPDX-License-Identifier: Apache-2.0
// Block sizes the heap rounds requests up to: steps of 64 bytes up to 1 KiB,
// then four steps per doubling, so no block wastes more than a fifth of itself.
#pragma once

#include <bit>

namespace groundwork::core::mem::detail {

/// Requests up to this many bytes are served from the per-thread pools.
constexpr unsigned long small_limit = 64ul << 10;

/// The number of a class for `bytes` (1 ≤ bytes ≤ small_limit).
constexpr unsigned size_class(unsigned long bytes) noexcept {
    if (bytes <= 1024) return static_cast<unsigned>((bytes + 63) / 64 - 1);
    unsigned const e = static_cast<unsigned>(std::bit_width(bytes - 1)) - 1;  // 2^e < bytes ≤ 2^(e+1)
    unsigned long const step = 1ul << (e - 2);
    return 16 + (e - 10) * 4 + static_cast<unsigned>((bytes - 1 - (1ul << e)) / step);
}

constexpr unsigned class_count = size_class(small_limit) + 1;

/// The block size of class `c`.
constexpr unsigned long class_bytes(unsigned c) noexcept {
    if (c < 16) return (c + 1) * 64ul;
    unsigned const e = 10 + (c - 16) / 4;
    return (1ul << e) + ((c - 16) % 4 + 1) * (1ul << (e - 2));
}

/// `bytes` rounded up the same way at any size (for large blocks).
constexpr unsigned long rounded_size(unsigned long bytes) noexcept {
    if (bytes <= 1024) return (bytes + 63) & ~63ul;
    unsigned const e = static_cast<unsigned>(std::bit_width(bytes - 1)) - 1;
    unsigned long const step = 1ul << (e - 2);
    return (bytes + step - 1) & ~(step - 1);
}

}  // namespace groundwork::core::mem::detail
