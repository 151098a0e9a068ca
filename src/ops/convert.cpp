// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/convert.hpp>

#include "constants/detail/element.hpp"
#include "detail/raise.hpp"
#include "ops/detail/convert_element.hpp"
#include "ops/kernels/convert.hpp"

#include <type_traits>

namespace lang::core {
namespace {

template <bool Check>
std::pair<Constant, bool> convert_to(type::Id const& target, Constant const& value) {
    return detail::visit_element_type(target, [&](auto zero) {
        using U = std::decay_t<decltype(zero)>;
        return visit([&](auto const& x) -> std::pair<Constant, bool> {
            using A = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<A, Scalar<U>> || std::is_same_v<A, Array<U>>) {
                return {value, false};
            } else if constexpr (is_scalar_v<A>) {
                U const y = detail::convert_element<U>(x.value);
                return {Scalar<U>{y}, Check && detail::conversion_changes(x.value, y)};
            } else if constexpr (is_array_v<A>) {
                auto result = Array<U>::uninitialized(x.size());
                bool const changed = kernels::run(kernels::ConvertLoop<Check, U>{}, x.x(), result.x(), x.size().numElements());
                return {std::move(result), changed};
            } else {
                raise<msg::constants::InvalidConversion>(value_type(value), target);
            }
        }, value);
    });
}

}  // namespace

std::pair<Constant, bool> convert_with_check(type::Id const& target, Constant const& value) {
    return convert_to<true>(target, value);
}

Constant convert(type::Id const& target, Constant const& value) {
    return convert_to<false>(target, value).first;
}

Constant to_array(Constant const& value) {
    return visit([&](auto const& x) -> Constant {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) {
            Array<typename A::element_type> result(ArraySize{1, 1});
            *result.x() = x.value;
            return result;
        } else {
            raise<msg::constants::InvalidToArray>(value_type(value));
        }
    }, value);
}

ArrayType array_type(Constant const& value) {
    return visit([&](auto const& x) -> ArrayType {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_array_v<A>) return ArrayType(type::id_of<typename A::element_type>, x.size());
        else raise<msg::constants::InvalidArray>(value_type(value));
    }, value);
}

}  // namespace lang::core
