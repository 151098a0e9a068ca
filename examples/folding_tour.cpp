// SPDX-License-Identifier: Apache-2.0
// A tour of constant folding: values, element-wise operators, the matrix
// product, reductions, conversion with its loss flag, element access and
// padding, each printed in the stream form the library writes.
#include <lang/core/core.hpp>

#include <iostream>

using namespace lang::core;

namespace {

// A 2x3 real array holding 1..6 in column-major order.
Constant matrix() {
    //! [array]
    Array<double> a(ArraySize{2, 3});
    double* x = a.x();
    for (int i = 0; i < 6; ++i) x[i] = i + 1;
    //! [array]
    return a;
}

}  // namespace

int main() {
    //! [constant]
    Constant const m = matrix();
    std::cout << "m            = " << m << '\n';
    std::cout << "type         = " << value_type(m) << '\n';
    std::cout << "m + 0.5      = " << m + Constant(0.5) << '\n';
    std::cout << "m'           = " << apply(op::TRANSPOSE, m) << '\n';
    std::cout << "m * m'       = " << apply(op::MTIMES, m, apply(op::TRANSPOSE, m)) << '\n';
    //! [constant]
    std::cout << "m >= 3.0     = " << apply(op::GE, m, Constant(3.0)) << '\n';
    std::cout << "sum(m, 0)    = " << apply(accum::SUM, 0, m) << '\n';
    std::cout << "sum(m, 1)    = " << apply(accum::SUM, 1, m) << '\n';
    std::cout << "argmax(m, 1) = " << apply(extrema::INDEX_MAXIMUM, 1, m) << '\n';

    // Integer arithmetic wraps; real arithmetic is IEEE.
    std::cout << "2147483647 + 1 = " << Constant(2147483647) + Constant(1) << '\n';
    std::cout << "2i - 3i        = " << Constant(2UL) - Constant(3UL) << '\n';
    std::cout << "mod(-7, 3)     = " << apply(op::MOD, Constant(-7), Constant(3)) << '\n';
    std::cout << "mod(0.3, 0.1)  = " << apply(op::MOD, Constant(0.3), Constant(0.1)) << '\n';
    std::cout << "1 / 0.0        = " << apply(op::INV, Constant(0.0)) << '\n';

    // Conversion reports whether any element changed on the way.
    auto const [halves, lossy] = convert_with_check(type::INTEGER, m * Constant(0.5));
    std::cout << "int32(m .* 0.5) = " << halves << (lossy ? "  (lossy)" : "") << '\n';

    // Element access, reshaping and padding.
    std::cout << "m(4)         = " << indexable::Get<Constant>{}(m, 4) << '\n';
    std::cout << "reshape 3x2  = " << indexable::Reshape<Constant>{}(m, ArraySize{3, 2}) << '\n';
    std::cout << "pad to 2x4   = " << pad(m, 1, 4, ScalarConstant(Scalar<double>{0.0})) << '\n';

    // The subscript m(:, [2, 0]): one entry per dimension of the source; the
    // builder checks them, and the Indexer yields the source positions read.
    //! [indexer]
    IndexerBuilder builder(ArraySize{2, 3});
    builder.append_(make_counting_entry(0, 2));  // every row
    builder.append_(make_list_entry({2, 0}));    // columns 2 and 0
    Indexer const indexer = builder;
    std::cout << "m(:, [2, 0]) =";
    for (unsigned long const position : indexer) std::cout << ' ' << indexable::Get<Constant>{}(m, position);
    std::cout << "  (shape " << indexer.size() << ")\n";
    //! [indexer]
    std::cout << "user form    = ";
    for (char16_t const c : std::get<Array<double>>(m.value()).toUserString()) std::cout << static_cast<char>(c);
    std::cout << '\n';

    // Mixing element types is an error that names the operator and the types.
    try {
        apply(op::PLUS, m, Constant(1));
    } catch (kbase::MessageException const& e) {
        std::cout << "m + 1        : " << e.message().id().key() << ": " << e.what() << '\n';
    }
}
