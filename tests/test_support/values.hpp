// SPDX-License-Identifier: Apache-2.0
// Shared by the value tests: special reals, array makers and readers, the
// hash combination written out independently, a recording digest sink, and
// the heap whose counts show when storage is shared or copied. Includes the
// message and value-law helpers too.
#pragma once

#include <lang/core/constants/constant.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace lang::core::test {

inline constexpr double nan = std::numeric_limits<double>::quiet_NaN();
inline constexpr double inf = std::numeric_limits<double>::infinity();

using heap = groundwork::core::mem::aligned_heap;

template <class T>
Array<T> make(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

/// The elements of an array constant in storage order.
template <class T>
std::vector<T> elements(Constant const& c) {
    Array<T> const& a = std::get<Array<T>>(c.value());
    return std::vector<T>(a.begin(), a.end());  // not braces: two pointers would make two bools
}

/// Equal elements, reals by their bits (signed zeros count) except that any
/// NaN matches any NaN, whose payload the library does not promise.
template <class T>
bool same(T a, T b) {
    if constexpr (std::is_same_v<T, double>) {
        return std::isnan(a) ? std::isnan(b) : std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    } else {
        return a == b;
    }
}

/// Boost's 64-bit hash_combine.
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

/// Every scalar edge value, arrays of several shapes drawn from small pools
/// (so that equal arrays with distinct blocks occur) plus shared copies, and
/// nested tuples of all of them; the same list on every call.
inline std::vector<Constant> generated_constants() {
    std::mt19937_64 rng(20240611);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    std::vector<double> const reals{0.0, -0.0, nan, -nan, 1.0, inf, -inf, 5e-324};
    std::vector<int> const ints{0, -1, INT_MIN, INT_MAX};
    std::vector<unsigned long> const indices{0, 1UL << 63, ~0UL};
    std::vector<ArraySize> const shapes{{0, 0}, {0, 3}, {1}, {1, 2}, {2, 1}, {2, 2}, {1, 1, 2}};

    std::vector<Constant> values{false, true};
    values.insert(values.end(), reals.begin(), reals.end());
    values.insert(values.end(), ints.begin(), ints.end());
    values.insert(values.end(), indices.begin(), indices.end());
    auto add_arrays = [&]<class T>(std::vector<T> const& pool) {
        for (int i = 0; i < 12; ++i) {
            Array<T> a(shapes[pick(shapes.size())]);
            for (T& e : a) e = pool[pick(std::min<std::size_t>(pool.size(), 3))];
            values.emplace_back(a);
            if (i % 3 == 0) values.emplace_back(Array<T>(a));
        }
    };
    add_arrays(std::vector<bool>{false, true});
    add_arrays(ints);
    add_arrays(indices);
    add_arrays(reals);
    std::size_t const leaves = values.size();
    for (int i = 0; i < 40; ++i) {
        Constants elements(pick(3));
        for (Constant& e : elements) e = values[pick(i < 20 ? leaves : values.size())];
        values.emplace_back(Tuple(elements));
    }
    return values;
}

}  // namespace lang::core::test
