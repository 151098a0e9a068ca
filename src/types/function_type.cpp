// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/function_type.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include "detail/raise.hpp"
#include "detail/write_list.hpp"

namespace lang::core {

FunctionType::FunctionType() : types_(Type(ScalarType(type::LOGICAL))) {}

FunctionType::FunctionType(Types const& types) : types_(types) {
    // Two or more types are accepted as they are; one must not be void.
    if (types_.empty() || (types_.size() == 1 && is_void_type(types_[0]))) raise<msg::types::EmptyFunctionType>();
}

std::ostream& operator<<(std::ostream& os, FunctionType const& t) {
    os << keyword::name(keyword::FUNCTION);
    return detail::write_list(os, "<", t.types(), ">");
}

}  // namespace lang::core
