#include <lang/core/ops/convert.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;

constexpr char const* constants_catalog = "tarvex:common:lang:core:constants";
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double two63 = 9223372036854775808.0;
constexpr double two64 = 18446744073709551616.0;
constexpr unsigned long index_max = std::numeric_limits<unsigned long>::max();

// Reference conversions, written from the rules rather than from the code:
// wrapping spelled out on 64-bit values, reals through std::trunc and
// exact long double comparisons. Each gives the value and the flag.
template <class U>
struct Expected {
    U value;
    bool changed;
};

template <class U, class T>
Expected<U> reference(T x) {
    if constexpr (std::is_same_v<T, U>) {
        return {x, false};
    } else if constexpr (std::is_same_v<T, bool>) {
        return {static_cast<U>(x ? 1 : 0), false};
    } else if constexpr (std::is_same_v<U, bool>) {
        if constexpr (std::is_same_v<T, double>) {
            bool const zero = x == 0.0;  // both zeros
            return {!zero, !zero && !(x == 1.0)};
        } else {
            return {x != 0, x != 0 && x != 1};
        }
    } else if constexpr (std::is_same_v<T, int>) {
        if constexpr (std::is_same_v<U, unsigned long>) {
            // 2^64 + x, as (2^64 - 1) - (-x - 1) for negative x.
            unsigned long const wrapped = x < 0 ? index_max - static_cast<unsigned long>(-(long{x} + 1)) : x;
            return {wrapped, false};
        } else {
            return {static_cast<double>(static_cast<long double>(x)), false};
        }
    } else if constexpr (std::is_same_v<T, unsigned long>) {
        if constexpr (std::is_same_v<U, int>) {
            long const low = static_cast<long>(x % 4294967296UL);
            return {static_cast<int>(low >= 2147483648L ? low - 4294967296L : low), x > 2147483647UL};
        } else {
            double const d = static_cast<double>(static_cast<long double>(x));
            return {d, static_cast<long double>(d) != static_cast<long double>(x)};
        }
    } else {  // from real
        if (std::isnan(x)) return {std::is_same_v<U, int> ? static_cast<U>(INT_MIN) : static_cast<U>(two63), true};
        double const t = std::trunc(x);
        bool const fraction = t != x;
        if constexpr (std::is_same_v<U, int>) {
            if (t < -2147483648.0 || t > 2147483647.0) return {INT_MIN, true};
            return {static_cast<int>(static_cast<long>(t)), fraction};
        } else {
            if (t >= two64) return {0, true};
            if (t < -two63) return {1UL << 63, true};
            if (t < 0) return {index_max - static_cast<unsigned long>(-t) + 1, true};
            return {static_cast<unsigned long>(t), fraction};
        }
    }
}

// Bit equality, so that -0.0 and 0.0 differ and NaN equals itself.
template <class T>
bool same_bits(T a, T b) {
    if constexpr (std::is_same_v<T, double>) return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    else return a == b;
}

template <class T>
T element(Constant const& c) {
    return std::get<Scalar<T>>(c.value()).value;
}

template <class T>
Array<T> make_array(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

// Values of each element type rich in boundaries, then many generated ones
// from a fixed seed.
template <class T>
std::vector<T> sources() {
    std::mt19937_64 rng(20240611);
    std::vector<T> values;
    if constexpr (std::is_same_v<T, bool>) {
        values = {false, true};
    } else if constexpr (std::is_same_v<T, int>) {
        values = {0, 1, -1, 2, -2, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 1 << 24, (1 << 24) + 1};
        for (int i = 0; i < 2000; ++i) values.push_back(static_cast<int>(rng()));
        for (int i = 0; i < 200; ++i) values.push_back(static_cast<int>(rng() % 7) - 3);
    } else if constexpr (std::is_same_v<T, unsigned long>) {
        values = {0, 1, 2, 2147483647UL, 2147483648UL, 4294967295UL, 4294967296UL, 9007199254740992UL,
                  9007199254740993UL, 1UL << 63, (1UL << 63) + 1, (1UL << 63) - 1, index_max, index_max - 1,
                  index_max - 1024, index_max - 1025, index_max - 2048};
        for (int i = 0; i < 2000; ++i) values.push_back(rng() >> (rng() % 64));
    } else {
        values = {0.0, -0.0, 1.0, -1.0, 0.5, -0.5, 2.5, -2.5, 3.0, nan, -nan, inf, -inf, 1.0000000000000002,
                  2147483647.0, 2147483647.9, 2147483648.0, -2147483648.0, -2147483648.9, -2147483649.0, 3e9,
                  -3e9, 9007199254740992.0, 9007199254740994.0, two63, std::nextafter(two63, 0.0),
                  std::nextafter(two63, inf), -two63, std::nextafter(-two63, -inf), two64,
                  std::nextafter(two64, 0.0), 1e300, -1e300, std::numeric_limits<double>::denorm_min(),
                  -std::numeric_limits<double>::min()};
        for (int i = 0; i < 2000; ++i) {
            std::uniform_real_distribution<double> exponent(-4.0, 20.0);
            double const magnitude = std::pow(10.0, exponent(rng));
            double const v = rng() % 3 == 0 ? std::round(magnitude) : magnitude;
            values.push_back(rng() % 2 ? v : -v);
        }
        for (int i = 0; i < 300; ++i) values.push_back(std::bit_cast<double>(rng()));
    }
    return values;
}

template <class U, class T>
void expect_conversions_match_reference() {
    std::vector<T> const values = sources<T>();
    bool any_changed = false;
    std::vector<U> expected;
    for (T const x : values) {
        Expected<U> const want = reference<U>(x);
        auto const [got, changed] = convert_with_check(type::id_of<U>, Constant(x));
        ASSERT_TRUE(same_bits(element<U>(got), want.value))
            << type::id_of<T> << ' ' << test::printed(Constant(x)) << " to " << type::id_of<U> << " gave "
            << test::printed(got) << ", expected " << test::printed(Constant(want.value));
        ASSERT_EQ(changed, want.changed)
            << type::id_of<T> << ' ' << test::printed(Constant(x)) << " to " << type::id_of<U>;
        any_changed = any_changed || want.changed;
        expected.push_back(want.value);
    }

    // The same values as one array: elementwise alike, flags or-ed.
    ArraySize const shape{values.size(), 1};
    Constant const source = make_array(shape, values);
    Constant const before = make_array(shape, values);
    auto const [result, changed] = convert_with_check(type::id_of<U>, source);
    auto const& array = std::get<Array<U>>(result.value());
    ASSERT_EQ(array.size(), shape);
    for (unsigned long i = 0; i < values.size(); ++i) {
        ASSERT_TRUE(same_bits<U>(array.x()[i], expected[i])) << "element " << i;
    }
    EXPECT_EQ(changed, any_changed);
    EXPECT_EQ(convert(type::id_of<U>, source), result);
    EXPECT_EQ(source, before);
}

template <class T>
void expect_conversions_from() {
    expect_conversions_match_reference<bool, T>();
    expect_conversions_match_reference<int, T>();
    expect_conversions_match_reference<unsigned long, T>();
    expect_conversions_match_reference<double, T>();
}

TEST(Convert, EveryPairOfElementTypesMatchesAReferenceWithItsFlag) {
    expect_conversions_from<bool>();
    expect_conversions_from<int>();
    expect_conversions_from<unsigned long>();
    expect_conversions_from<double>();
}

TEST(Convert, ScalarsConvertByTheTable) {
    using Case = std::tuple<type::Id, Constant, Constant, bool>;
    std::vector<Case> const cases{
        {type::INTEGER, 2.5, 2, true},
        {type::INTEGER, -2.5, -2, true},
        {type::INTEGER, 3.0, 3, false},
        {type::INTEGER, nan, INT_MIN, true},
        {type::INTEGER, 3e9, INT_MIN, true},
        {type::LOGICAL, 2, true, true},
        {type::LOGICAL, 1, true, false},
        {type::LOGICAL, 0.0, false, false},
        {type::LOGICAL, -0.0, false, false},
        {type::LOGICAL, nan, true, true},
        {type::INDEX, -1, index_max, false},
        {type::INDEX, -1.0, index_max, true},
        {type::INDEX, nan, 1UL << 63, true},
        {type::INDEX, two64, 0UL, true},
        {type::INTEGER, 4294967295UL, -1, true},
        {type::INTEGER, 2147483647UL, 2147483647, false},
        {type::REAL, 9007199254740993UL, 9007199254740992.0, true},
        {type::REAL, index_max, two64, true},
        {type::REAL, true, 1.0, false},
    };
    for (auto const& [target, source, expected, flag] : cases) {
        auto const [result, changed] = convert_with_check(target, source);
        EXPECT_EQ(result, expected) << test::printed(source) << " to " << target;
        EXPECT_EQ(changed, flag) << test::printed(source) << " to " << target;
    }
}

TEST(Convert, ArraysKeepTheirShapeAndOrTheirFlags) {
    ArraySize const shape{2, 3};
    Constant const exact = make_array<double>(shape, {1, -2, 0, 4, 5, 6});
    auto const [ints, exact_changed] = convert_with_check(type::INTEGER, exact);
    EXPECT_EQ(ints, Constant(make_array<int>(shape, {1, -2, 0, 4, 5, 6})));
    EXPECT_FALSE(exact_changed);

    for (unsigned long k = 0; k < 6; ++k) {
        std::vector<double> values{1, -2, 0, 4, 5, 6};
        values[k] += 0.25;
        EXPECT_TRUE(convert_with_check(type::INTEGER, make_array(shape, values)).second) << "inexact at " << k;
    }

    ArraySize const none{0, 3};
    auto const [empty_result, empty_changed] = convert_with_check(type::LOGICAL, make_array<double>(none, {}));
    EXPECT_EQ(empty_result, Constant(Array<bool>(none)));
    EXPECT_FALSE(empty_changed);
}

TEST(Convert, ToTheSameTypeReturnsTheValueAndAllocatesNothing) {
    Constant const array = make_array<double>(ArraySize{2, 2}, {1.5, nan, -0.0, 4});
    unsigned long const allocations = groundwork::core::mem::aligned_heap::allocations();
    auto const [same, changed] = convert_with_check(type::REAL, array);
    Constant const also = convert(type::REAL, array);
    EXPECT_EQ(groundwork::core::mem::aligned_heap::allocations(), allocations);
    EXPECT_FALSE(changed);
    EXPECT_EQ(std::get<Array<double>>(same.value()).x(), std::get<Array<double>>(array.value()).x());
    EXPECT_EQ(std::get<Array<double>>(also.value()).x(), std::get<Array<double>>(array.value()).x());

    auto const [scalar, scalar_changed] = convert_with_check(type::INDEX, Constant(7UL));
    EXPECT_EQ(scalar, Constant(7UL));
    EXPECT_FALSE(scalar_changed);
}

TEST(Convert, RejectsTuplesBadTargetsAndValuelessConstants) {
    Constant const tuple = Tuple{2.0, true};
    for (type::Id target : {type::LOGICAL, type::INTEGER, type::INDEX, type::REAL}) {
        std::string const name = test::printed(target);
        expect_message([&] { convert_with_check(target, tuple); }, constants_catalog, "InvalidConversion",
                       {std::string("tuple<real, logical>"), name});
        expect_message([&] { convert(target, tuple); }, constants_catalog, "InvalidConversion",
                       {std::string("tuple<real, logical>"), name});
    }

    for (int target : {-1, 4}) {
        try {
            convert(static_cast<type::Id>(target), Constant(1.0));
            ADD_FAILURE() << "no std::logic_error for target " << target;
        } catch (std::logic_error const& e) {
            EXPECT_STREQ(e.what(), "bad visit");
        }
    }

    Constant valueless = 1.0;
    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    EXPECT_THROW(valueless.value().emplace<8>(Throws{}), std::runtime_error);
    ASSERT_EQ(valueless.id(), -1);
    for (auto const& call : std::vector<std::function<void()>>{
             [&] { convert(type::REAL, valueless); }, [&] { to_array(valueless); },
             [&] { array_type(valueless); }}) {
        try {
            call();
            ADD_FAILURE() << "no std::bad_variant_access";
        } catch (std::bad_variant_access const& e) {
            EXPECT_STREQ(e.what(), "Unexpected index");
        }
    }
}

TEST(ToArray, MakesAOneByOneArrayOfAScalarOnly) {
    EXPECT_EQ(to_array(Constant(2.5)), Constant(make_array<double>(ArraySize{1, 1}, {2.5})));
    EXPECT_EQ(to_array(Constant(-3)), Constant(make_array<int>(ArraySize{1, 1}, {-3})));
    EXPECT_EQ(to_array(Constant(true)), Constant(make_array<bool>(ArraySize{1, 1}, {true})));
    EXPECT_EQ(to_array(Constant(9UL)), Constant(make_array<unsigned long>(ArraySize{1, 1}, {9})));

    expect_message([] { to_array(Constant(make_array<int>(ArraySize{1, 1}, {1}))); }, constants_catalog,
                   "InvalidToArray", {std::string("array<integer, 1, 1>")});
    expect_message([] { to_array(Constant(Tuple{})); }, constants_catalog, "InvalidToArray",
                   {std::string("tuple<>")});
}

TEST(ArrayTypeOf, NamesAnArrayAndRejectsTheRest) {
    EXPECT_EQ(test::printed(array_type(Constant(Array<double>(ArraySize{2, 3})))), "array<real, 2, 3>");
    EXPECT_EQ(array_type(Constant(Array<bool>(ArraySize{0, 1, 4}))), ArrayType(type::LOGICAL, ArraySize{0, 1, 4}));
    expect_message([] { array_type(Constant(1.0)); }, constants_catalog, "InvalidArray", {std::string("real")});
    expect_message([] { array_type(Constant(Tuple{1})); }, constants_catalog, "InvalidArray",
                   {std::string("tuple<integer>")});
}

}  // namespace
}  // namespace lang::core
