// Printing a constant and reading the text back gives an equal constant, for
// generated constants of every kind.
#include "evaluator.hpp"
#include "parser.hpp"

#include <lang/core/core.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>

namespace lang::eval {
namespace {

using core::Constant;

class Generator {
public:
    explicit Generator(unsigned long seed) : rng_(seed) {}

    Constant constant(int depth) {
        switch (rng_() % (depth > 0 ? 9 : 8)) {
        case 0: return Constant(rng_() % 2 == 0);
        case 1: return Constant(element<int>());
        case 2: return Constant(element<unsigned long>());
        case 3: return Constant(element<double>());
        case 4: return array<bool>();
        case 5: return array<int>();
        case 6: return array<unsigned long>();
        case 7: return array<double>();
        default: {
            core::Constants elements;
            for (unsigned long n = rng_() % 4; n > 0; --n) elements.push_back(constant(depth - 1));
            return core::Tuple(std::move(elements));
        }
        }
    }

private:
    template <class T>
    T element() {
        if constexpr (std::is_same_v<T, bool>) {
            return rng_() % 2 == 0;
        } else if constexpr (std::is_same_v<T, int>) {
            static constexpr int special[] = {0, 1, -1, INT_MIN, INT_MAX, INT_MIN + 1};
            return rng_() % 2 == 0 ? special[rng_() % 6] : static_cast<int>(rng_());
        } else if constexpr (std::is_same_v<T, unsigned long>) {
            return rng_() % 2 == 0 ? ~0UL - rng_() % 2 : rng_() >> (rng_() % 64);
        } else {
            static constexpr double special[] = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                                                 std::numeric_limits<double>::infinity(),
                                                 -std::numeric_limits<double>::infinity(),
                                                 std::numeric_limits<double>::denorm_min(), 1e300, -2.5, 1e15, 1e16};
            if (rng_() % 3 == 0) return special[rng_() % 10];
            return printable(std::ldexp(static_cast<double>(rng_() >> 11), static_cast<int>(rng_() % 200) - 100) *
                             (rng_() % 2 == 0 ? 1 : -1));
        }
    }

    // The printed form keeps 16 significant digits, so reals are drawn from
    // the values whose 16-digit text reads back as themselves.
    static double printable(double x) {
        for (;;) {
            char text[32];
            std::snprintf(text, sizeof text, "%.16g", x);
            double const back = std::strtod(text, nullptr);
            if (back == x) return x;
            x = back;
        }
    }

    template <class T>
    Constant array() {
        std::vector<unsigned long> lengths(2 + rng_() % 3);
        for (auto& l : lengths) l = rng_() % 4;
        core::Array<T> a{core::ArraySize(std::span<unsigned long const>(lengths))};
        for (T& e : a) e = element<T>();
        return a;
    }

    std::mt19937_64 rng_;
};

TEST(RoundTrip, PrintedConstantsReadBackEqual) {
    Generator generate(0x7a11);
    for (int trial = 0; trial < 3000; ++trial) {
        Constant const value = generate.constant(2);
        std::ostringstream text;
        text << value;
        Evaluator evaluator;
        Constant const read = evaluator.evaluate(parse_statement(text.str()).expression);
        ASSERT_EQ(read, value) << text.str();
        ASSERT_EQ(core::value_type(read), core::value_type(value)) << text.str();
    }
}

// The compact forms print in a notation of their own, which reads back as
// the arrays they stand for.
TEST(RoundTrip, CompactFormsReadBackAsTheirArrays) {
    core::ScalarConstant const minus_one(core::Scalar<int>{INT_MIN});
    std::vector<std::pair<std::string, Constant>> forms;
    auto add = [&](auto const& form) {
        std::ostringstream os;
        os << form;
        forms.emplace_back(os.str(), core::to_constant(form));
    };
    add(core::Colon(3, 4, 20));
    add(core::Eye(core::type::INDEX, core::ArraySize{3, 2, 2}));
    add(core::UniformArray(minus_one, core::ArraySize{2, 3}));
    add(core::UniformArray(core::ScalarConstant(core::Scalar<double>{-0.5}), core::ArraySize{1, 2}));
    for (auto const& [text, expected] : forms) {
        Evaluator evaluator;
        EXPECT_EQ(evaluator.evaluate(parse_statement(text).expression), expected) << text;
    }
}

}  // namespace
}  // namespace lang::eval
