// SPDX-License-Identifier: Apache-2.0
// The user-facing text of an element-type constructor call, such as
// double(x), used when values are shown to users.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/type_id.hpp>

#include <string>

namespace lang::core {

/// The user name of `type` applied to `argument`: u"int32(5)" for INTEGER and
/// u"5". Only for ids 0..3.
LANGCORE_API std::u16string wrap_with_type_ctor(type::Id type, std::u16string const& argument);

}  // namespace lang::core
