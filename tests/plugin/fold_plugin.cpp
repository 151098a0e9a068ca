// SPDX-License-Identifier: Apache-2.0
// A plugin that links langcore, for the test that loads it with dlopen into
// a program that links neither langcore nor its host libraries.
#include <lang/core/core.hpp>

using namespace lang::core;

/// Folds a+a, a*a' and a large sum of n elements on the calling thread;
/// true when every element is what plain arithmetic gives.
extern "C" __attribute__((visibility("default"))) bool fold_in_plugin(unsigned long n) {
    Array<double> a(ArraySize{n, 1});
    double* x = a.x();
    for (unsigned long i = 0; i < n; ++i) x[i] = static_cast<double>(i + 1);
    Constant const column = a;
    Constant const sum = column + column;
    Constant const product = apply(op::MTIMES, column, apply(op::TRANSPOSE, column));
    auto const& twice = std::get<Array<double>>(sum.value());
    auto const& outer = std::get<Array<double>>(product.value());
    bool right = twice.size() == ArraySize{n, 1} && outer.size() == ArraySize{n, n};
    for (unsigned long i = 0; i < n; ++i) {
        right = right && twice.x()[i] == 2.0 * static_cast<double>(i + 1);
        for (unsigned long j = 0; j < n; ++j) right = right && outer.x()[i + j * n] == static_cast<double>((i + 1) * (j + 1));
    }
    return right;
}
