// SPDX-License-Identifier: Apache-2.0
// The one throwing sequence of the library: render every argument to text
// first, then build the identifier, the message and the exception, and throw.
//
//   if (a != b) raise<types::InconsistentSize>(a, b);
//
// Integers pass through unformatted; strings are taken as they are; anything
// else is written with its stream operator (boost::lexical_cast).
#pragma once

#include <lang/core/types/message_ids.hpp>

#include <kbase/message.hpp>

#include <boost/lexical_cast.hpp>

#include <string>
#include <type_traits>

namespace lang::core {

namespace msg = ::tarvex::common::lang::core;

namespace detail {

template <class Arg>
auto render(Arg const& arg) {
    if constexpr (std::is_integral_v<Arg> && !std::is_same_v<Arg, bool>) {
        return static_cast<long>(arg);
    } else if constexpr (std::is_same_v<Arg, std::u16string> || std::is_same_v<Arg, std::string>) {
        return arg;
    } else if constexpr (std::is_convertible_v<Arg const&, std::string>) {
        return std::string(arg);
    } else {
        return boost::lexical_cast<std::string>(arg);
    }
}

/// Throws a kbase::MessageException carrying `id`.
[[noreturn]] void throw_message(lexicon::BaseMsgID const& id);

}  // namespace detail

template <class Id, class... Args>
[[noreturn, gnu::cold, gnu::noinline]] void raise(Args const&... args) {
    // Braced initialisation renders the arguments left to right, all before
    // the identifier exists.
    detail::throw_message(Id{detail::render(args)...});
}

}  // namespace lang::core
