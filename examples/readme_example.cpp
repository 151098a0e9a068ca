// SPDX-License-Identifier: Apache-2.0
#include <lang/core/core.hpp>

#include <iostream>

using namespace lang::core;

int main() {
    ArraySize const shape{2, 3};                   // interned: equal shapes share one record
    Type const type = ArrayType(type::REAL, shape);
    std::cout << type << '\n';

    Constant const m = matrix({{1.0, 2.0, 3.0},    // rows as written,
                               {4.0, 5.0, 6.0}});  // stored column-major
    Constant const half(0.5);
    std::cout << std::boolalpha << (value_type(m) == type) << '\n';

    std::cout << m + half << '\n';                                     // element-wise
    std::cout << apply(op::MTIMES, m, apply(op::TRANSPOSE, m)) << '\n';  // matrix product
    std::cout << apply(op::LT, m, Constant(2.5)) << '\n';              // element-wise comparison
    std::cout << subscript(m, {whole, range(0, 2)}) << '\n';           // 0-based, half-open
    std::cout << reduce_all(accum::SUM, m) << '\n';                    // in storage order

    auto const [rounded, lossy] = convert_with_check(type::INTEGER, m * half);
    std::cout << rounded << " lossy: " << lossy << '\n';
    std::cout << std::hex << hash_value(m) << std::dec << '\n';
    std::cout << user_text(m) << ' ' << user_text(subscript(m, {1, 2})) << ' '
              << user_text(Tuple{Constant(7), Constant(true)}) << '\n';

    try {
        m + Constant(1);                           // real plus integer: no such operator
    } catch (kbase::MessageException const& e) {
        std::cout << e.message().id().key() << ": " << e.what() << '\n';
    }
}
