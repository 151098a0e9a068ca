// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/colon.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include "detail/raise.hpp"

#include <ostream>

namespace lang::core {

Colon::Colon(unsigned long start, unsigned long stop) : Colon(start, 1, stop) {}

Colon::Colon(unsigned long start, unsigned long step, unsigned long stop) : start_(start), step_(step), stop_(stop) {
    if (start >= stop) raise<msg::ir::InvalidColon>(start, stop);
}

ArrayType array_type(Colon const& c) {
    return ArrayType(type::INDEX, ArraySize{c.count(), 1, 1, 1, 1});
}

Array<unsigned long> to_constant(Colon const& c) {
    unsigned long const n = c.count();
    auto result = Array<unsigned long>::uninitialized(ArraySize{n, 1, 1, 1, 1});
    unsigned long* __restrict const out = result.x();
    unsigned long const start = c.start();
    unsigned long const step = c.step();
    for (unsigned long k = 0; k < n; ++k) out[k] = start + k * step;
    return result;
}

std::ostream& operator<<(std::ostream& os, Colon const& c) {
    return os << keyword::name(keyword::COLON) << '<' << c.start() << ", " << c.step() << ", " << c.stop() << '>';
}

}  // namespace lang::core
