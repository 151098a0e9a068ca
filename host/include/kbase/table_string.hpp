// SPDX-License-Identifier: Apache-2.0
// An interned, immutable string behind one pointer. Equal strings share one
// record for the life of the process, so equality is a pointer comparison;
// interning is thread-safe.
#pragma once

#include <kbase/export.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kbase {

template <class Char>
class BasicTableString;

template <>
class KBASE_API BasicTableString<char> {
public:
    /// The empty string.
    BasicTableString() noexcept;
    BasicTableString(char const* text, unsigned long length);
    explicit BasicTableString(std::string_view text) : BasicTableString(text.data(), text.size()) {}

    char const* data() const noexcept;
    unsigned long size() const noexcept;
    unsigned long hash() const noexcept;
    std::string_view view() const noexcept { return {data(), size()}; }

    /// Three-way comparison of the characters: negative, zero or positive.
    int compare_(BasicTableString const& other) const noexcept;

    operator std::string() const { return std::string(view()); }

    friend bool operator==(BasicTableString const& a, BasicTableString const& b) noexcept {
        return a.record_ == b.record_;
    }
    friend std::size_t hash_value(BasicTableString const& s) noexcept { return s.hash(); }

    struct Record;

private:
    Record const* record_;
};

using TableString = BasicTableString<char>;

KBASE_API std::ostream& operator<<(std::ostream& os, BasicTableString<char> const& s);

}  // namespace kbase

template <>
struct std::hash<kbase::BasicTableString<char>> {
    std::size_t operator()(kbase::BasicTableString<char> const& s) const noexcept { return s.hash(); }
};
