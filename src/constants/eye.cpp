// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/eye.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include "constants/detail/element.hpp"

#include <algorithm>
#include <ostream>

namespace lang::core {

Eye::Eye() : type_(type::LOGICAL), size_{0, 1, 1, 1, 1} {}

ArrayType array_type(Eye const& e) {
    return ArrayType(e.type(), e.size());
}

std::pair<unsigned long, unsigned long> stride_and_stop(Eye const& e) {
    ArraySize const& s = e.size();
    unsigned long stride = 0;
    unsigned long before = 1;  // the product of the lengths before dimension i
    unsigned long shortest = s(0);
    for (unsigned long i = 0; i < s.size(); ++i) {
        stride += before;
        before *= s(i);
        shortest = std::min(shortest, s(i));
    }
    return {stride, stride * shortest};
}

Constant to_constant(Eye const& e) {
    // Not a structured binding: clang 14 cannot capture those in a lambda.
    std::pair<unsigned long, unsigned long> const diagonal = stride_and_stop(e);
    unsigned long const stride = diagonal.first;
    unsigned long const stop = diagonal.second;
    return detail::visit_element_type(e.type(), [&](auto zero) -> Constant {
        using T = decltype(zero);
        Array<T> result(e.size());
        // The last diagonal position is (shortest - 1) * stride, always inside
        // the array, so no position needs a bounds check.
        T* const out = result.x();
        for (unsigned long p = 0; p < stop; p += stride) out[p] = T(1);
        return result;
    });
}

std::ostream& operator<<(std::ostream& os, Eye const& e) {
    return os << keyword::name(keyword::EYE) << '<' << e.type() << ", " << e.size() << '>';
}

}  // namespace lang::core
