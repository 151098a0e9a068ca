// SPDX-License-Identifier: Apache-2.0
#include <kbase/message.hpp>

#include "message_catalog.hpp"

#include <qz/i18n/ustring.hpp>

namespace lexicon {

BaseMsgID::BaseMsgID(std::string catalog, std::string key, std::vector<MsgArgument> arguments)
    : arguments_(std::move(arguments)), catalog_(std::move(catalog)), key_(std::move(key)) {}

}  // namespace lexicon

namespace kbase {
namespace {

void append_argument(std::string& out, lexicon::MsgArgument const& argument) {
    switch (argument.index()) {
    case 0: out += std::to_string(std::get<0>(argument)); break;
    case 1: out += std::get<1>(argument); break;
    default: out += qz::i18n::to_utf8(std::get<2>(argument)); break;
    }
}

// Replaces each {n} (1-based) by argument n; anything else is copied.
std::string format(std::string const& pattern, std::vector<lexicon::MsgArgument> const& arguments) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{') {
            auto const close = pattern.find('}', i);
            if (close != std::string::npos && close > i + 1) {
                std::size_t slot = 0;
                bool digits = true;
                for (std::size_t k = i + 1; k < close; ++k) {
                    digits = digits && pattern[k] >= '0' && pattern[k] <= '9';
                    slot = slot * 10 + static_cast<std::size_t>(pattern[k] - '0');
                }
                if (digits && slot >= 1 && slot <= arguments.size()) {
                    append_argument(out, arguments[slot - 1]);
                    i = close;
                    continue;
                }
            }
        }
        out += pattern[i];
    }
    return out;
}

// For a key the catalogs lack: catalog/key("text", 5, ...).
std::string describe(lexicon::BaseMsgID const& id) {
    std::string out = id.catalog() + "/" + id.key() + "(";
    char const* separator = "";
    for (auto const& argument : id.arguments()) {
        out += separator;
        bool const text = argument.index() != 0;
        if (text) out += '"';
        append_argument(out, argument);
        if (text) out += '"';
        separator = ", ";
    }
    return out + ")";
}

}  // namespace

Message::Message(lexicon::BaseMsgID const& id) : id_(id) {}

std::string Message::text() const {
    if (auto const* pattern = detail::find_message_text(id_.catalog(), id_.key())) return format(*pattern, id_.arguments());
    return describe(id_);
}

struct MessageException::Payload {
    Message message;
    std::string text;
};

MessageException::MessageException(Message const& message)
    : payload_(std::make_shared<Payload const>(Payload{message, message.text()})) {}

Message const& MessageException::message() const noexcept { return payload_->message; }

char const* MessageException::what() const noexcept { return payload_->text.c_str(); }

bool has_message_text(std::string_view catalog, std::string_view key) {
    return detail::find_message_text(catalog, key) != nullptr;
}

}  // namespace kbase
