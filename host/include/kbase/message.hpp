// SPDX-License-Identifier: Apache-2.0
// Messages and the exception that carries one. A message is an identifier
// plus the means to format it; its text comes from the compiled-in catalogs.
#pragma once

#include <kbase/export.hpp>
#include <lexicon/base_msg_id.hpp>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace kbase {

class KBASE_API Message {
public:
    explicit Message(lexicon::BaseMsgID const& id);

    lexicon::BaseMsgID const& id() const noexcept { return id_; }

    /// The catalog text with its placeholders {1}, {2}, ... replaced by the
    /// arguments; for a key the catalogs lack, a text naming catalog, key and
    /// arguments.
    std::string text() const;

private:
    lexicon::BaseMsgID id_;
};

/// Thrown by value; copying never throws (the payload is shared).
class KBASE_API MessageException : public std::exception {
public:
    explicit MessageException(Message const& message);

    Message const& message() const noexcept;
    char const* what() const noexcept override;

private:
    struct Payload;
    std::shared_ptr<Payload const> payload_;
};

/// True when the compiled-in catalogs hold a text for this catalog and key.
KBASE_API bool has_message_text(std::string_view catalog, std::string_view key);

}  // namespace kbase
