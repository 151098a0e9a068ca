// SPDX-License-Identifier: Apache-2.0
#include <lang/core/core.hpp>
#include <qz/i18n/ustring.hpp>

#include <iostream>
#include <variant>

using namespace lang::core;

int main() {
    ArraySize const shape{2, 2};                   // interned: equal shapes share one record
    Type const matrix = ArrayType(type::REAL, shape);
    std::cout << matrix << '\n';

    Array<double> elements(shape);                 // zeros, column-major
    double* x = elements.x();
    x[0] = 1.5; x[1] = 3.0; x[2] = 2.0; x[3] = 4.0;
    Constant const a = elements;                   // shares the block: nothing is copied
    Constant const half(0.5);

    std::cout << a + half << '\n';
    std::cout << apply(op::MTIMES, a, a) << '\n';
    std::cout << apply(op::LT, a, Constant(2.5)) << '\n';
    std::cout << std::boolalpha << (value_type(a) == matrix) << '\n';

    auto const [rounded, lossy] = convert_with_check(type::INTEGER, a);
    std::cout << rounded << " lossy: " << lossy << '\n';
    std::cout << std::hex << hash_value(a) << std::dec << '\n';
    std::cout << qz::i18n::to_utf8(to_user_string(std::get<ArrayType>(matrix.value()))) << '\n';

    try {
        a + Constant(1);                           // real plus integer: no such operator
    } catch (kbase::MessageException const& e) {
        std::cout << e.message().id().key() << ": " << e.what() << '\n';
    }
}
