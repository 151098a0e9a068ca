// SPDX-License-Identifier: Apache-2.0
// The convenience layer: a matrix written by rows, folded, subscripted,
// shown in the user form and summed, with nothing but <lang/core/core.hpp>.
#include <lang/core/core.hpp>

#include <iostream>

using namespace lang::core;

int main() {
    Constant const m = matrix({{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}});
    Constant const folded = m * Constant(2.0) + Constant(0.5);  // element-wise
    Constant const left = subscript(folded, {whole, range(0, 2)});
    Constant const corner = subscript(folded, {1, 2});

    std::cout << "m            = " << stream_text(m) << '\n';
    std::cout << "2 m + 0.5    = " << stream_text(folded) << '\n';
    std::cout << "columns 0, 1 = " << stream_text(left) << '\n';
    std::cout << "user forms   : " << user_text(corner) << " | " << user_text(subscript(folded, {0, whole})) << " | "
              << user_text(left) << " | " << user_text(Tuple{corner, 7, true}) << '\n';
    std::cout << "sum          = " << stream_text(reduce_all(accum::SUM, left)) << '\n';
    std::cout << "sum (user)   = " << user_text(reduce_all(accum::SUM, left)) << '\n';
    std::cout << "as a double  : " << scalar_value<double>(corner) << '\n';
}
