// SPDX-License-Identifier: Apache-2.0
// Quoted strings: any UTF-16 text serialises to printable ASCII and reads
// back unchanged, and so does whatever any narrow text reads as (which makes
// serialize(deserialize(s)) stable under a second round).
#include "byte_reader.hpp"

#include <lang/core/text/quoted_string.hpp>

#include <string>

using lang::core::QuotedStringConversion;

namespace {

std::string hex(std::u16string const& s) {
    std::string out;
    char buf[8];
    for (char16_t c : s) {
        std::snprintf(buf, sizeof buf, "%04x ", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

void round_trip(std::u16string const& text) {
    std::string const quoted = QuotedStringConversion::serialize(text);
    for (char c : quoted)
        if (c < 32 || c > 126) lang::fuzz::fail("serialize wrote a character outside 32..126 for " + hex(text));
    if (QuotedStringConversion::deserialize(quoted) != text)
        lang::fuzz::fail("deserialize(serialize(s)) differs for " + hex(text) + "via " + quoted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string const narrow(reinterpret_cast<char const*>(data), size);
    std::u16string wide(size / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    round_trip(wide);

    std::u16string const read = QuotedStringConversion::deserialize(narrow);
    round_trip(read);
    return 0;
}
