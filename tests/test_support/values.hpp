// Shared by the value tests: special reals, an array maker, the hash
// combination written out independently, and a recording digest sink.
#pragma once

#include <lang/core/constants/constant.hpp>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

namespace lang::core::test {

inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();
inline constexpr double inf = std::numeric_limits<double>::infinity();

template <class T>
Array<T> make(ArraySize const& size, std::initializer_list<T> elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

inline std::uint64_t combine(std::uint64_t h, std::uint64_t k) {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995ULL;
    k *= m;
    k ^= k >> 47;
    k *= m;
    return ((h ^ k) * m) + 0xe6546b64ULL;
}

/// The fed bytes, with a '|' after each sink call so that field widths show.
template <class V>
std::string digest(V const& value) {
    std::string bytes;
    DigestSink sink = [&](char const* data, unsigned long n) { bytes.append(data, n) += '|'; };
    incorporate_data(sink, value);
    return bytes;
}

}  // namespace lang::core::test
