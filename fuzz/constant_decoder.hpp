// SPDX-License-Identifier: Apache-2.0
// Decodes constants and shapes from a fuzzer's bytes: every element type,
// special values (NaN, -0, infinities, extreme integers) drawn often, arrays
// of up to four dimensions including empty ones, and tuples.
#pragma once

#include "byte_reader.hpp"

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/types/array_size.hpp>

#include <climits>
#include <limits>
#include <vector>

namespace lang::fuzz {

/// Calls f with a value of the element type that `id` (0..3) names.
template <class F>
decltype(auto) with_element(core::type::Id id, F&& f) {
    switch (id) {
    case core::type::LOGICAL: return f(bool{});
    case core::type::INTEGER: return f(int{});
    case core::type::INDEX: return f(0UL);
    default: return f(double{});
    }
}

class ConstantDecoder {
public:
    explicit ConstantDecoder(ByteReader& in) : in_(in) {}

    template <class T>
    T element() {
        if constexpr (std::is_same_v<T, bool>) {
            return in_.flag();
        } else if constexpr (std::is_same_v<T, int>) {
            static constexpr int special[] = {0, 1, -1, 2, INT_MIN, INT_MAX, INT_MIN + 1, 3};
            return in_.special_or_bits(special);
        } else if constexpr (std::is_same_v<T, unsigned long>) {
            static constexpr unsigned long special[] = {0, 1, 2, 3, ~0UL, 1UL << 63, 1UL << 32, (1UL << 53) + 1};
            return in_.special_or_bits(special);
        } else {
            using L = std::numeric_limits<double>;
            static constexpr double special[] = {0.0,       -0.0,           1.0,        -1.0,   0.5,
                                                 2.0,       L::quiet_NaN(), L::infinity(), -L::infinity(),
                                                 L::max(),  L::denorm_min(), 0.1,       -2.5,   4503599627370496.5,
                                                 9.2233720368547758e18};
            return in_.special_or_bits(special);
        }
    }

    /// A length for a shape-only call: small ones often, and 2^32, 2^64 - 1
    /// and raw values, whose products wrap.
    unsigned long length() {
        static constexpr unsigned long special[] = {0, 1, 2, 3, 1UL << 32, ~0UL, 4, 5};
        return in_.special_or_bits(special);
    }

    /// A shape of up to four dimensions; with `huge`, lengths may be any
    /// length(), otherwise 0..4.
    core::ArraySize shape(bool huge) {
        std::vector<unsigned long> lengths(1 + in_.pick(4));
        for (auto& l : lengths) l = huge ? length() : in_.pick(5);
        return core::ArraySize(std::span<unsigned long const>(lengths));
    }

    core::type::Id element_type() { return static_cast<core::type::Id>(in_.pick(4)); }

    core::ScalarConstant scalar(core::type::Id id) {
        return with_element(id, [&](auto t) { return core::ScalarConstant(core::Scalar<decltype(t)>{element<decltype(t)>()}); });
    }

    /// A scalar, an array (at most 256 elements, possibly empty along huge
    /// lengths when `huge`), or a tuple nested at most `depth` deep.
    core::Constant constant(int depth, bool huge) {
        unsigned const kind = in_.pick(depth > 0 ? 9 : 8);
        if (kind == 8) {
            core::Constants elements;
            for (unsigned n = in_.pick(4); n > 0; --n) elements.push_back(constant(depth - 1, huge));
            return core::Tuple(std::move(elements));
        }
        auto const id = static_cast<core::type::Id>(kind % 4);
        if (kind < 4) return to_constant(scalar(id));
        core::ArraySize size = shape(false);
        if (huge && in_.pick(8) == 0) {
            // Empty along one huge length: legal, holds nothing.
            std::vector<unsigned long> lengths{0, length(), length()};
            size = core::ArraySize(std::span<unsigned long const>(lengths));
        }
        return with_element(id, [&](auto t) {
            core::Array<decltype(t)> a(size);
            for (auto& e : a) e = element<decltype(t)>();
            return core::Constant(a);
        });
    }

private:
    ByteReader& in_;
};

}  // namespace lang::fuzz
