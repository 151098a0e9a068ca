#include <kbase/message.hpp>

#include "message_catalog.hpp"

namespace lexicon {

BaseMsgID::BaseMsgID(std::string catalog, std::string key, std::vector<MsgArgument> arguments)
    : arguments_(std::move(arguments)), catalog_(std::move(catalog)), key_(std::move(key)) {}

}  // namespace lexicon

namespace kbase {
namespace {

void append_utf8(std::string& out, std::u16string const& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

void append_argument(std::string& out, lexicon::MsgArgument const& argument) {
    switch (argument.index()) {
    case 0: out += std::to_string(std::get<0>(argument)); break;
    case 1: out += std::get<1>(argument); break;
    default: append_utf8(out, std::get<2>(argument)); break;
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
