// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/scalar_to_user_string.hpp>

#include <lang/core/text/type_ctor.hpp>
#include <lang/core/types/type_id.hpp>

#include "constants/detail/element.hpp"

#include <qz/i18n/ustring.hpp>

namespace lang::core::detail {

template <class T>
std::u16string ScalarToUserString<T>::operator()(T const& value) const {
    std::u16string text = qz::i18n::to_ustring(element_user_text(value));
    constexpr type::Id id = type::id_of<T>;
    if constexpr (id == type::INTEGER || id == type::INDEX) return wrap_with_type_ctor(id, text);
    else return text;
}

template struct ScalarToUserString<bool>;
template struct ScalarToUserString<int>;
template struct ScalarToUserString<unsigned long>;
template struct ScalarToUserString<double>;

}  // namespace lang::core::detail
