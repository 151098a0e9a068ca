// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/type_ctor.hpp>

#include <qz/i18n/ustring.hpp>

namespace lang::core {
namespace {

std::u16string const open_paren = qz::i18n::to_ustring("(");
std::u16string const close_paren = qz::i18n::to_ustring(")");

}  // namespace

std::u16string wrap_with_type_ctor(type::Id type, std::u16string const& argument) {
    auto const name = to_user_name(type).view();
    std::u16string out;
    out.reserve(name.size() + open_paren.size() + argument.size() + close_paren.size());
    for (char c : name) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    out += open_paren;
    out += argument;
    out += close_paren;
    return out;
}

}  // namespace lang::core
