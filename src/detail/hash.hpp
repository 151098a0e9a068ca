// SPDX-License-Identifier: Apache-2.0
// The hash combination every hash of the library uses. Its values are part of
// the library's contract, so the formula is written out here rather than
// taken from a hashing library whose combine may change between versions.
#pragma once

#include <cstdint>

namespace lang::core::detail {

/// ((h xor mix(k)) * m) + 0xe6546b64 with m = 0xc6a4a7935bd1e995 and
/// mix(k) = ((k * m) xor ((k * m) >> 47)) * m, all wrapping.
constexpr std::uint64_t hash_combine(std::uint64_t h, std::uint64_t k) noexcept {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995;
    k *= m;
    k ^= k >> 47;
    k *= m;
    h ^= k;
    h *= m;
    return h + 0xe6546b64;
}

// The void type's hash, and the scalar type real's.
static_assert(hash_combine(0xe6546b64, 0) == 0xcb34c5ae03d8f098);
static_assert(hash_combine(hash_combine(0, 3), 1) == 0xb410dc8a74550cd8);

}  // namespace lang::core::detail
