// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/convert.hpp>

#include "test_support/kernel_paths.hpp"
#include "test_support/values.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

constexpr unsigned long index_max = ~0UL;

// The reference works on the exact value as a long double (64-bit mantissa):
// an element changed when its result is a different number, except that an
// integer's wrap to index never counts.
template <class U, class T>
std::pair<U, bool> converted(T x) {
    long double const v = x;
    long double const t = std::trunc(v);
    U r{};
    if constexpr (std::is_same_v<U, bool> || std::is_same_v<U, double>) {
        r = static_cast<U>(v);  // a logical is v != 0, NaN included
    } else if constexpr (std::is_same_v<T, double> && std::is_same_v<U, int>) {
        r = std::isnan(v) || t < INT_MIN || t > INT_MAX ? INT_MIN : static_cast<int>(t);
    } else if constexpr (std::is_same_v<T, double>) {
        if (std::isnan(v) || t < -0x1p63L) r = 1UL << 63;
        else if (t < 0) r = static_cast<unsigned long>(t + 0x1p64L);
        else if (t < 0x1p64L) r = static_cast<unsigned long>(t);
    } else if constexpr (std::is_same_v<U, int>) {
        unsigned long const low = static_cast<unsigned long>(x) % 4294967296UL;
        r = static_cast<int>(low < 2147483648UL ? static_cast<long>(low) : static_cast<long>(low) - 4294967296L);
    } else {
        r = v < 0 ? index_max - static_cast<unsigned long>(-v - 1) : static_cast<unsigned long>(v);
    }
    bool const wrap_to_index = std::is_same_v<T, int> && std::is_same_v<U, unsigned long>;
    return {r, !wrap_to_index && !(static_cast<long double>(r) == v)};
}

// Boundaries of every rule, then many generated values from a fixed seed.
template <class T>
std::vector<T> sources() {
    if constexpr (std::is_same_v<T, bool>) return {false, true};
    std::mt19937_64 rng(20240611);
    std::vector<T> v;
    if constexpr (std::is_same_v<T, int>) v = {0, 1, -1, 2, INT_MAX, INT_MIN, (1 << 24) + 1};
    if constexpr (std::is_same_v<T, unsigned long>) {
        v = {0, 1, 2, 2147483647, 2147483648, 4294967295, 9007199254740993, 1UL << 63, (1UL << 63) + 1,
             index_max, index_max - 1024, index_max - 1025};
    }
    if constexpr (std::is_same_v<T, double>) {
        v = {0.0, -0.0, 1.0, -1.0, 0.5, -2.5, nan, inf, -inf, 2147483647.9, 2147483648.0, -2147483648.9,
             -2147483649.0, 0x1p53, 0x1p63, std::nextafter(0x1p63, 0.0), -0x1p63, std::nextafter(-0x1p63, -inf),
             0x1p64, std::nextafter(0x1p64, 0.0), 1e300, 4.9e-324};
    }
    for (int i = 0; i < 3000; ++i) {
        if constexpr (std::is_same_v<T, double>) {
            double const fraction = std::uniform_real_distribution<double>(-1, 1)(rng);
            v.push_back(i % 7 ? std::ldexp(fraction, static_cast<int>(rng() % 70)) : std::bit_cast<double>(rng()));
        } else {
            v.push_back(static_cast<T>(rng() >> (rng() % 64)));
        }
    }
    return v;
}

template <class U, class T>
void expect_conversions() {
    std::vector<T> const values = sources<T>();
    Constant const source = make<T>({values.size(), 1}, values);
    auto const [result, changed] = convert_with_check(type::id_of<U>, source);
    U const* const got = std::get<Array<U>>(result.value()).x();
    bool any = false;
    for (unsigned long i = 0; i < values.size(); ++i) {
        auto const [want, flag] = std::is_same_v<T, U> ? std::pair<U, bool>(values[i], false)
                                                       : converted<U>(values[i]);
        auto const [scalar, scalar_changed] = convert_with_check(type::id_of<U>, Constant(values[i]));
        std::string const what = printed(Constant(values[i])) + " to " + printed(type::id_of<U>);
        ASSERT_TRUE(same<U>(got[i], want)) << what << " gave " << printed(Constant(got[i]));
        ASSERT_EQ(scalar, Constant(want)) << what;
        ASSERT_EQ(scalar_changed, flag) << what;
        any = any || flag;
    }
    EXPECT_EQ(changed, any) << printed(type::id_of<T>) << " to " << printed(type::id_of<U>);
    EXPECT_EQ(convert(type::id_of<U>, source), result);
}

TEST(Convert, EveryPairOfElementTypesMatchesAReferenceWithItsFlag) {
    auto const from = []<class T>(T) {
        expect_conversions<bool, T>(), expect_conversions<int, T>();
        expect_conversions<unsigned long, T>(), expect_conversions<double, T>();
    };
    on_every_kernel_path([&] { from(false), from(0), from(0UL), from(0.0); });
}

// The flag of a whole array: one element that changes, at every position of
// every length up to 9, so that each lane and each tail of a wide loop counts.
TEST(Convert, ArrayFlagSeesAChangeAtEveryPosition) {
    on_every_kernel_path([] {
        for (double const changer : {0.5, nan, -inf, 2147483648.0, -2147483649.0, 0x1p64}) {
            for (unsigned long n = 1; n <= 9; ++n) {
                for (unsigned long p = 0; p <= n; ++p) {  // p == n: nothing changes
                    std::vector<double> v(n, -0.0);
                    for (unsigned long i = 1; i < n; i += 2) v[i] = static_cast<double>(i * 1000);
                    if (p < n) v[p] = changer;
                    Constant const array = make<double>({n, 1}, v);
                    bool const integer_changed = convert_with_check(type::INTEGER, array).second;
                    bool const index_changed = convert_with_check(type::INDEX, array).second;
                    EXPECT_EQ(integer_changed, p < n) << changer << " at " << p << " of " << n;
                    EXPECT_EQ(index_changed, p < n && changer != 2147483648.0) << changer << " at " << p << " of " << n;
                }
            }
        }
    });
}

// The same type keeps the very block, so every bit of it, NaN payloads too.
TEST(Convert, SameTypeSharesAndEmptyStaysEmpty) {
    Array<double> a(ArraySize{2, 2});
    Constant const array = a;
    unsigned long const allocations = groundwork::core::mem::aligned_heap::allocations();
    auto const [same, changed] = convert_with_check(type::REAL, array);
    EXPECT_EQ(groundwork::core::mem::aligned_heap::allocations(), allocations);
    EXPECT_EQ(std::get<Array<double>>(same.value()).x(), std::as_const(a).x());
    EXPECT_FALSE(changed);
    EXPECT_EQ(convert_with_check(type::LOGICAL, Array<double>(ArraySize{0, 3})),
              std::make_pair(Constant(Array<bool>(ArraySize{0, 3})), false));
}

TEST(Convert, RejectionsCarryTheirArguments) {
    for (type::Id target : {type::LOGICAL, type::INTEGER, type::INDEX, type::REAL}) {
        expect_message([&] { convert(target, Tuple{2.0, true}); }, constants_catalog, "InvalidConversion",
                       {"tuple<real, logical>", printed(target)});
    }
    EXPECT_THROW(convert(static_cast<type::Id>(4), 1.0), std::logic_error);
    expect_message([] { to_array(Array<int>({1, 1})); }, constants_catalog, "InvalidToArray", {"array<integer, 1, 1>"});
    expect_message([] { array_type(1.0); }, constants_catalog, "InvalidArray", {"real"});
    EXPECT_EQ(to_array(2.5), make<double>({1, 1}, {2.5}));
}

}  // namespace
}  // namespace lang::core
