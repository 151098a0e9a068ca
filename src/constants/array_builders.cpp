// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/array_builders.hpp>

#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/types/array_type.hpp>

namespace lang::core {

Constant array_from(ArraySize const& size, std::span<Constant const> elements) {
    if (elements.size() != size.numElements() || !size.data()->countFits())
        size.requireConsistent(ArraySize{elements.size()});
    // Set would report an array element as a type mismatch; what is missing
    // is a scalar, which ScalarConstant's check says.
    for (Constant const& e : elements)
        if (!holds_scalar(e)) (void)ScalarConstant(e);
    Constant result = make_constant(ArrayType(elements.empty() ? type::REAL : element_type_of(elements[0]), size));
    indexable::Set<Constant> const set;
    for (unsigned long k = 0; k < elements.size(); ++k) set(result, k, elements[k]);
    return result;
}

}  // namespace lang::core
