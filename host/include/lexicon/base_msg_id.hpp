// SPDX-License-Identifier: Apache-2.0
// A message identifier: catalog, key and the ordered arguments of one message.
// It carries no text; the message library looks the text up when asked.
#pragma once

#include <kbase/export.hpp>

#include <string>
#include <variant>
#include <vector>

namespace lexicon {

/// One argument of a message, in slot order: an integer, narrow or UTF-16 text.
using MsgArgument = std::variant<long, std::string, std::u16string>;

class KBASE_API BaseMsgID {
public:
    BaseMsgID(std::string catalog, std::string key, std::vector<MsgArgument> arguments);

    std::string const& catalog() const noexcept { return catalog_; }
    std::string const& key() const noexcept { return key_; }
    std::vector<MsgArgument> const& arguments() const noexcept { return arguments_; }

    friend bool operator==(BaseMsgID const&, BaseMsgID const&) = default;

private:
    std::vector<MsgArgument> arguments_;
    std::string catalog_;
    std::string key_;
};

}  // namespace lexicon
