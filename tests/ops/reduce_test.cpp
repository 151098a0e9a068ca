#include <lang/core/ops/reduce.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;

constexpr char const* constants_catalog = "tarvex:common:lang:core:constants";
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

template <class T>
Constant make(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

template <class T>
std::vector<T> elements(Constant const& c) {
    auto const& a = std::get<Array<T>>(c.value());
    return std::vector<T>(a.begin(), a.end());
}

// Equal bits, so that the signs of zeros count; any NaN matches any NaN, as
// the payload of a NaN from two NaN operands is not ours to choose.
template <class T>
bool same_bits(T a, T b) {
    if constexpr (std::is_same_v<T, double>) {
        return std::isnan(a) ? std::isnan(b) : std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    } else {
        return a == b;
    }
}

// The reference: for every output multi-index, walk the positions along the
// dimension through explicit column-major offsets and fold them one by one.
std::vector<unsigned long> lengths_of(ArraySize const& s, unsigned long dims) {
    std::vector<unsigned long> lengths(dims);
    for (unsigned long i = 0; i < dims; ++i) lengths[i] = s(i);
    return lengths;
}

unsigned long offset(std::vector<unsigned long> const& lengths, std::vector<unsigned long> const& index) {
    unsigned long linear = 0;
    unsigned long step = 1;
    for (unsigned long i = 0; i < lengths.size(); ++i) {
        linear += index[i] * step;
        step *= lengths[i];
    }
    return linear;
}

// Calls f(output multi-index) for every output slot in column-major order,
// where dimension `dim` has been collapsed to one position.
template <class F>
void for_each_slot(std::vector<unsigned long> out_lengths, F f) {
    unsigned long count = 1;
    for (unsigned long n : out_lengths) count *= n;
    std::vector<unsigned long> index(out_lengths.size(), 0);
    for (unsigned long slot = 0; slot < count; ++slot) {
        f(index);
        for (unsigned long i = 0; i < index.size() && ++index[i] == out_lengths[i]; ++i) index[i] = 0;
    }
}

template <class T>
T reference_step(accum::Id a, T acc, T x) {
    if constexpr (std::is_same_v<T, bool>) {
        return a == accum::ANY ? acc || x : acc && x;
    } else {
        if (a == accum::SUM) {
            if constexpr (std::is_same_v<T, int>) return static_cast<int>(static_cast<std::uint32_t>(std::int64_t{acc} + x));
            else return acc + x;
        }
        if (a == accum::PROD) {
            if constexpr (std::is_same_v<T, int>) return static_cast<int>(static_cast<std::uint32_t>(std::int64_t{acc} * x));
            else return acc * x;
        }
        if constexpr (std::is_same_v<T, double>) {
            if (std::isnan(x)) return acc;
        }
        if (a == accum::MINIMUM) return x < acc ? x : acc;
        return acc < x ? x : acc;
    }
}

template <class T>
T reference_start(accum::Id a) {
    switch (a) {
    case accum::SUM: return T(0);
    case accum::PROD: return T(1);
    case accum::ANY: return T(false);
    case accum::ALL: return T(true);
    case accum::MINIMUM:
        if constexpr (std::is_same_v<T, double>) return inf;
        else if constexpr (std::is_same_v<T, int>) return INT_MAX;
        else return static_cast<T>(~0UL);
    default:
        if constexpr (std::is_same_v<T, double>) return -inf;
        else if constexpr (std::is_same_v<T, int>) return INT_MIN;
        else return T(0);
    }
}

template <class T>
std::vector<T> reference_accumulate(accum::Id a, std::vector<unsigned long> const& lengths, unsigned long dim,
                                    std::vector<T> const& in) {
    std::vector<unsigned long> out_lengths = lengths;
    out_lengths[dim] = 1;
    std::vector<T> out;
    for_each_slot(out_lengths, [&](std::vector<unsigned long> index) {
        T acc = reference_start<T>(a);
        for (unsigned long k = 0; k < lengths[dim]; ++k) {
            index[dim] = k;
            acc = reference_step(a, acc, in[offset(lengths, index)]);
        }
        out.push_back(acc);
    });
    return out;
}

template <class T>
std::vector<unsigned long> reference_extremum(extrema::Id e, std::vector<unsigned long> const& lengths,
                                              unsigned long dim, std::vector<T> const& in) {
    if (lengths[dim] == 0) return {};
    std::vector<unsigned long> out_lengths = lengths;
    out_lengths[dim] = 1;
    std::vector<unsigned long> out;
    for_each_slot(out_lengths, [&](std::vector<unsigned long> index) {
        unsigned long best = 0;
        T best_value = in[offset(lengths, index)];
        for (unsigned long k = 1; k < lengths[dim]; ++k) {
            index[dim] = k;
            T const x = in[offset(lengths, index)];
            if (e == extrema::INDEX_MINIMUM ? x < best_value : best_value < x) {
                best = k;
                best_value = x;
            }
        }
        out.push_back(best);
    });
    return out;
}

// Shapes of one to four stored dimensions, zero lengths included, and some
// long enough to fold many columns side by side.
std::vector<ArraySize> shapes() {
    std::vector<ArraySize> list{{1, 1}, {0, 0}, {5, 1}, {1, 9}, {2, 3}, {0, 3}, {3, 0}, {3, 20}, {17, 2},
                                {2, 3, 4}, {4, 1, 3}, {3, 0, 2}, {2, 2, 2, 2}, {13, 5, 1, 3}, {1, 1, 7}};
    std::mt19937_64 rng(77);
    for (int i = 0; i < 40; ++i) {
        std::vector<unsigned long> lengths(2 + rng() % 3);
        for (auto& n : lengths) n = rng() % 6;
        list.emplace_back(std::span<unsigned long const>(lengths));
    }
    return list;
}

// Values rich in ties, NaN, signed zeros, infinities and wrapping magnitudes.
template <class T>
T generated(std::mt19937_64& rng) {
    if constexpr (std::is_same_v<T, bool>) {
        return rng() % 3 == 0;
    } else if constexpr (std::is_same_v<T, int>) {
        static constexpr int special[] = {0, 1, -1, 3, INT_MAX, INT_MIN, 65536, -7};
        return rng() % 2 ? special[rng() % 8] : static_cast<int>(rng());
    } else if constexpr (std::is_same_v<T, unsigned long>) {
        static constexpr unsigned long special[] = {0, 1, 2, 3, ~0UL, 1UL << 63, 1UL << 32};
        return rng() % 2 ? special[rng() % 7] : rng();
    } else {
        static constexpr double special[] = {0.0, -0.0, 1.0, -1.0, 2.5, nan, inf, -inf, 1e300, -1e-300, 0.1};
        return rng() % 2 ? special[rng() % 11] : std::uniform_real_distribution<double>(-10, 10)(rng);
    }
}

template <class T>
void expect_reductions_match_reference(std::vector<accum::Id> const& accumulations, bool extrema_defined) {
    std::mt19937_64 rng(1234 + type::id_of<T>);
    for (ArraySize const& shape : shapes()) {
        std::vector<T> in(shape.numElements());
        for (unsigned long i = 0; i < in.size(); ++i) in[i] = generated<T>(rng);
        Constant const value = make(shape, in);
        unsigned long const dims = shape.size();
        for (unsigned long dim : {0UL, 1UL, 2UL, 3UL, dims, dims + 1, 1UL << 40, ~0UL}) {
            // One more dimension than the stored ones stands for all beyond them.
            std::vector<unsigned long> const lengths = lengths_of(shape, dims + 1);
            unsigned long const d = std::min(dim, dims);
            std::string const where = test::printed(value) + " of " + test::printed(shape) + " along " + std::to_string(dim);

            for (accum::Id a : accumulations) {
                Constant const result = apply(a, dim, value);
                ArraySize expected_shape = shape;
                expected_shape.replace(dim, 1);
                ASSERT_EQ(std::get<Array<T>>(result.value()).size(), expected_shape) << a << ' ' << where;
                std::vector<T> const got = elements<T>(result);
                std::vector<T> const want = reference_accumulate(a, lengths, d, in);
                ASSERT_EQ(got.size(), want.size()) << a << ' ' << where;
                for (unsigned long i = 0; i < got.size(); ++i) {
                    ASSERT_TRUE(same_bits(got[i], want[i])) << a << ' ' << where << ": slot " << i << " is "
                                                            << test::printed(result);
                }
            }
            if (!extrema_defined) continue;
            for (extrema::Id e : {extrema::INDEX_MINIMUM, extrema::INDEX_MAXIMUM}) {
                Constant const result = apply(e, dim, value);
                ArraySize expected_shape = shape;
                if (shape(dim) != 0) expected_shape.replace(dim, 1);
                ASSERT_EQ(std::get<Array<unsigned long>>(result.value()).size(), expected_shape) << e << ' ' << where;
                EXPECT_EQ(elements<unsigned long>(result), reference_extremum(e, lengths, d, in)) << e << ' ' << where;
            }
        }
        std::vector<T> const after = elements<T>(value);
        for (unsigned long i = 0; i < in.size(); ++i) {
            if constexpr (std::is_same_v<T, double>) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(after[i]), std::bit_cast<std::uint64_t>(in[i])) << "the operand changed";
            } else {
                ASSERT_EQ(after[i], in[i]) << "the operand changed";
            }
        }
    }
}

TEST(Reduce, EveryDimensionMatchesAReferenceFold) {
    std::vector<accum::Id> const numeric{accum::SUM, accum::PROD, accum::MINIMUM, accum::MAXIMUM};
    expect_reductions_match_reference<bool>({accum::ANY, accum::ALL}, false);
    expect_reductions_match_reference<int>(numeric, true);
    expect_reductions_match_reference<unsigned long>(numeric, true);
    expect_reductions_match_reference<double>(numeric, true);
}

TEST(Reduce, SumsCollapseTheNamedDimensionOnly) {
    Constant const m = make<int>({2, 3}, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(apply(accum::SUM, 0, m), make<int>({1, 3}, {3, 7, 11}));
    EXPECT_EQ(apply(accum::SUM, 1, m), make<int>({2, 1}, {9, 12}));
    EXPECT_EQ(apply(accum::SUM, 2, m), m);
    EXPECT_EQ(apply(accum::SUM, 0, make<int>({2, 1}, {INT_MAX, 1})), make<int>({1, 1}, {INT_MIN}));
    // The fold starts from +0.0, so a lone -0.0 sums to +0.0.
    EXPECT_TRUE(same_bits(elements<double>(apply(accum::SUM, 5, make<double>({1, 1}, {-0.0})))[0], 0.0));
}

TEST(Reduce, EmptyLengthsGiveTheStartValues) {
    Constant const none = make<double>({0, 3}, {});
    EXPECT_EQ(apply(accum::SUM, 0, none), make<double>({1, 3}, {0, 0, 0}));
    EXPECT_EQ(apply(accum::PROD, 0, none), make<double>({1, 3}, {1, 1, 1}));
    EXPECT_EQ(apply(accum::MINIMUM, 0, none), make<double>({1, 3}, {inf, inf, inf}));
    EXPECT_EQ(apply(accum::SUM, 1, none), make<double>({0, 1}, {}));
    EXPECT_EQ(apply(accum::ALL, 0, make<bool>({0, 1}, {})), make<bool>({1, 1}, {true}));

    EXPECT_EQ(apply(extrema::INDEX_MINIMUM, 1, make<int>({3, 0}, {})), make<unsigned long>({3, 0}, {}));
    EXPECT_EQ(apply(extrema::INDEX_MINIMUM, 0, make<int>({3, 0}, {})), make<unsigned long>({1, 0}, {}));
}

TEST(Reduce, NaNIsSkippedByExtremaAndMinMax) {
    auto column = [](std::vector<double> const& v) { return make<double>({v.size(), 1}, v); };
    auto position = [](extrema::Id e, Constant const& c) { return elements<unsigned long>(apply(e, 0, c)).at(0); };
    EXPECT_EQ(position(extrema::INDEX_MINIMUM, column({nan, 1, 0})), 0u);
    EXPECT_EQ(position(extrema::INDEX_MINIMUM, column({1, nan, 0})), 2u);
    EXPECT_EQ(position(extrema::INDEX_MAXIMUM, column({2, 5, 5})), 1u);
    EXPECT_EQ(apply(accum::MINIMUM, 0, column({nan, nan})), make<double>({1, 1}, {inf}));
    EXPECT_EQ(apply(accum::MAXIMUM, 0, column({nan, 3})), make<double>({1, 1}, {3}));
    // A tie keeps the running value: +0.0 then -0.0 stays +0.0.
    EXPECT_TRUE(same_bits(elements<double>(apply(accum::MAXIMUM, 0, column({0.0, -0.0})))[0], 0.0));
    EXPECT_TRUE(same_bits(elements<double>(apply(accum::MINIMUM, 0, column({-0.0, 0.0})))[0], -0.0));
}

TEST(Reduce, AnyAndAllWorkColumnByColumn) {
    Constant const m = make<bool>({2, 2}, {false, false, true, false});
    EXPECT_EQ(apply(accum::ANY, 0, m), make<bool>({1, 2}, {false, true}));
    EXPECT_EQ(apply(accum::ALL, 1, m), make<bool>({2, 1}, {false, false}));
}

TEST(Reduce, RejectsWhatTheReductionDoesNotTake) {
    expect_message([] { apply(accum::SUM, 0, Constant(2.0)); }, constants_catalog, "InvalidAccum",
                   {std::string("sum"), std::string("real")});
    expect_message([] { apply(accum::SUM, 0, make<bool>({2, 3}, {})); }, constants_catalog, "InvalidAccum",
                   {std::string("sum"), std::string("array<logical, 2, 3>")});
    expect_message([] { apply(accum::ANY, 1, make<int>({2, 2}, {})); }, constants_catalog, "InvalidAccum",
                   {std::string("any"), std::string("array<integer, 2, 2>")});
    expect_message([] { apply(accum::MAXIMUM, 0, Constant(Tuple{1})); }, constants_catalog, "InvalidAccum",
                   {std::string("maximum"), std::string("tuple<integer>")});
    expect_message([] { apply(extrema::INDEX_MAXIMUM, 0, make<bool>({1, 2}, {})); }, constants_catalog,
                   "InvalidExtrema", {std::string("index_maximum"), std::string("array<logical, 1, 2>")});
    expect_message([] { apply(extrema::INDEX_MINIMUM, 0, Constant(3UL)); }, constants_catalog, "InvalidExtrema",
                   {std::string("index_minimum"), std::string("index")});

    auto expect_bad_visit = [](auto call) {
        try {
            call();
            ADD_FAILURE() << "no std::logic_error";
        } catch (std::logic_error const& e) {
            EXPECT_STREQ(e.what(), "bad visit");
        }
    };
    Constant const m = make<double>({2, 2}, {1, 2, 3, 4});
    expect_bad_visit([&] { apply(static_cast<accum::Id>(6), 0, m); });
    expect_bad_visit([&] { apply(static_cast<extrema::Id>(2), 0, m); });
    expect_bad_visit([&] { accumulation_ident(accum::SUM, static_cast<type::Id>(4)); });

    Constant valueless = m;
    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    EXPECT_THROW(valueless.value().emplace<8>(Throws{}), std::runtime_error);
    for (auto const& call : std::vector<std::function<void()>>{[&] { apply(accum::SUM, 0, valueless); },
                                                                [&] { apply(extrema::INDEX_MINIMUM, 0, valueless); }}) {
        try {
            call();
            ADD_FAILURE() << "no std::bad_variant_access";
        } catch (std::bad_variant_access const& e) {
            EXPECT_STREQ(e.what(), "Unexpected index");
        }
    }
}

TEST(AccumulationIdent, IsTheResultOfReducingAnEmptyColumn) {
    EXPECT_EQ(accumulation_ident(accum::SUM, type::INTEGER), ScalarConstant(Scalar<int>{0}));
    EXPECT_EQ(accumulation_ident(accum::PROD, type::REAL), ScalarConstant(Scalar<double>{1.0}));
    EXPECT_EQ(accumulation_ident(accum::ANY, type::LOGICAL), ScalarConstant(Scalar<bool>{false}));
    EXPECT_EQ(accumulation_ident(accum::MINIMUM, type::INDEX), ScalarConstant(Scalar<unsigned long>{~0UL}));
    EXPECT_EQ(accumulation_ident(accum::MAXIMUM, type::REAL), ScalarConstant(Scalar<double>{-inf}));

    for (int a = 0; a < accum::COUNT; ++a) {
        for (type::Id t : {type::LOGICAL, type::INTEGER, type::INDEX, type::REAL}) {
            auto const reduction = static_cast<accum::Id>(a);
            Constant const column = make_constant(ArrayType(t, ArraySize{0, 1, 1, 1, 1}));
            std::string const name = test::printed(reduction);
            try {
                Constant const reduced = apply(reduction, 0, column);
                Constant const first = std::visit([](auto const& x) -> Constant {
                    using A = std::decay_t<decltype(x)>;
                    if constexpr (is_array_v<A>) return Scalar<typename A::element_type>{x.x()[0]};
                    else throw std::logic_error("not an array");
                }, reduced.value());
                EXPECT_EQ(to_constant(accumulation_ident(reduction, t)), first) << name << ' ' << t;
            } catch (kbase::MessageException const&) {
                expect_message([&] { accumulation_ident(reduction, t); }, constants_catalog, "InvalidAccum",
                               {name, "array<" + test::printed(t) + ", 0, 1>"});
            }
        }
    }
}

}  // namespace
}  // namespace lang::core
