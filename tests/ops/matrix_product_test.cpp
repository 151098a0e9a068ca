// SPDX-License-Identifier: Apache-2.0
// The matrix product against the textbook loop, bit for bit, on every kernel
// path the machine has: shapes that cut tiles and panels, special reals, and
// wrapping whole numbers checked in wider arithmetic.
#include <lang/core/ops/apply.hpp>

#include "test_support/kernel_paths.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <type_traits>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

__extension__ typedef unsigned __int128 u128;

struct Shape {
    unsigned long m, k, n;
};

// Empty and degenerate products (one with a side no loop could walk),
// vectors, and shapes that are not multiples of any tile, cross the 256-deep
// panels, the 128-row blocks and the 512-column panels, on both sides of the
// size below which nothing is packed.
std::vector<Shape> const shapes{{0, 3, 4},    {3, 0, 4},   {2, 3, 0},     {1, 1, 1},     {4, 4, 4},
                                {1, 7, 1},    {7, 1, 7},   {20, 2, 19},   {1, 1000, 1},  {300, 1, 200},
                                {64, 64, 64}, {37, 53, 41}, {8, 512, 8}, {17, 257, 13}, {130, 600, 9},
                                {5, 300, 33}, {9, 5, 1100}, {11, 3, 5}, {0, 0, 1UL << 40}};

/// The textbook loop: every element from zero, products in ascending p, in
/// `Wide` arithmetic reduced to T at the end (so wrapping is checked by a
/// wider ring, not by the kernels' own).
template <class T, class Wide>
std::vector<T> textbook(std::vector<T> const& a, std::vector<T> const& b, Shape s) {
    std::vector<T> c(s.m * s.n);
    for (unsigned long i = 0; i < s.m; ++i) {
        for (unsigned long j = 0; j < s.n; ++j) {
            Wide sum = 0;
            for (unsigned long p = 0; p < s.k; ++p) {
                sum = sum + static_cast<Wide>(a[i + p * s.m]) * static_cast<Wide>(b[p + j * s.k]);
            }
            c[i + j * s.m] = static_cast<T>(sum);
        }
    }
    return c;
}

/// Every shape on every path, with operands from `draw(random, k)`.
template <class T, class Wide, class Draw>
void expect_textbook_products(Draw draw) {
    std::mt19937_64 random(1234);
    on_every_kernel_path([&] {
        for (Shape const s : shapes) {
            SCOPED_TRACE(testing::Message() << s.m << "x" << s.k << " * " << s.k << "x" << s.n);
            std::vector<T> a(s.m * s.k), b(s.k * s.n);
            for (T& e : a) e = draw(random, s.k);
            for (T& e : b) e = draw(random, s.k);
            std::vector<T> const expected = textbook<T, Wide>(a, b, s);
            Constant const result = apply(op::MTIMES, make(ArraySize{s.m, s.k}, a), make(ArraySize{s.k, s.n}, b));
            ASSERT_EQ(std::get<Array<T>>(result.value()).size(), (ArraySize{s.m, s.n}));
            std::vector<T> const product = elements<T>(result);
            for (unsigned long e = 0; e < expected.size(); ++e) {
                // Which operand's NaN an operation on two NaNs returns is the
                // processor's choice, and compilers commute + and *: a NaN
                // need only meet a NaN. Every other result agrees in every bit.
                if constexpr (std::is_floating_point_v<T>) {
                    if (std::isnan(product[e]) && std::isnan(expected[e])) continue;
                }
                ASSERT_EQ(0, std::memcmp(&product[e], &expected[e], sizeof(T)))
                    << "element " << e % s.m << ", " << e / s.m << ": " << product[e] << " against " << expected[e];
            }
        }
    });
}

TEST(MatrixProduct, RealsMatchTheTextbookLoopBitForBit) {
    expect_textbook_products<double, double>([](std::mt19937_64& random, unsigned long k) {
        // Mostly values of every sign and magnitude whose rounding depends on
        // the order of the sum; zeros and subnormals often, and about one
        // infinity or NaN per sum, so that some sums survive them.
        std::vector<double> const special{0.0, -0.0, 5e-324, -2.5e-310, 1e300};
        std::vector<double> const poison{inf, -inf, nan, -nan};
        unsigned long const roll = random() % (8 * (k + 1));
        if (roll < 4) return poison[roll];
        if (roll < 4 + 2 * special.size()) return special[roll % special.size()];
        return std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 40) - 70) *
               (random() % 2 ? 1.0 : -1.0);
    });
}

TEST(MatrixProduct, WholeNumbersWrapAsInAWiderRing) {
    expect_textbook_products<int, unsigned long>([](std::mt19937_64& random, unsigned long) {
        return static_cast<int>(random() % 5 == 0 ? random() % 5 - 2 : random());
    });
    expect_textbook_products<unsigned long, u128>([](std::mt19937_64& random, unsigned long) {
        return random() % 5 == 0 ? random() % 3 : random();
    });
}

// A static's destructor runs after the main thread's thread-locals are
// destroyed; a product there must not pack into the thread's dead buffer.
bool packed_product_is_textbook() {
    Shape const s{40, 50, 30};  // large enough to be packed
    std::vector<int> a(s.m * s.k), b(s.k * s.n);
    for (unsigned long e = 0; e < a.size(); ++e) a[e] = static_cast<int>(e % 7) - 3;
    for (unsigned long e = 0; e < b.size(); ++e) b[e] = static_cast<int>(e % 5) - 2;
    return elements<int>(apply(op::MTIMES, make(ArraySize{s.m, s.k}, a), make(ArraySize{s.k, s.n}, b))) ==
           textbook<int, long>(a, b, s);
}

struct ProductAtExit {
    bool armed = false;
    ~ProductAtExit() {
        if (armed && !packed_product_is_textbook()) std::abort();
    }
} product_at_exit;

TEST(MatrixProduct, AStaticsDestructorMayMultiply) {
    ASSERT_TRUE(packed_product_is_textbook());  // the thread's buffer now exists
    product_at_exit.armed = true;
}

}  // namespace
}  // namespace lang::core
