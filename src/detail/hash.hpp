// The hash combination every hash of the library uses: Boost's 64-bit
// hash_combine, applied to 64-bit keys.
#pragma once

#include <boost/container_hash/hash.hpp>

#include <cstdint>

namespace lang::core::detail {

static_assert(sizeof(std::size_t) == 8, "hashes are defined on 64-bit words");

/// ((h xor mix(k)) * m) + 0xe6546b64 with m = 0xc6a4a7935bd1e995.
inline std::uint64_t hash_combine(std::uint64_t h, std::uint64_t k) noexcept {
    std::size_t seed = h;
    boost::hash_combine(seed, static_cast<unsigned long>(k));
    return seed;
}

}  // namespace lang::core::detail
