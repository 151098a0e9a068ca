// SPDX-License-Identifier: Apache-2.0
// Element-type names read with >>: a word that reads as a type prints back
// as that word in lower case, printed names read back as themselves, and
// the reader consumes exactly one word, as string extraction does.
#include "byte_reader.hpp"

#include <lang/core/types/type_id.hpp>

#include <cctype>
#include <sstream>
#include <string>

using namespace lang::core;

namespace {

std::string lowered(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string const text(reinterpret_cast<char const*>(data), size);
    std::istringstream in(text), words(text);
    for (;;) {
        auto id = static_cast<type::Id>(7);
        in >> id;
        std::string word;
        words >> word;
        if (in.tellg() != words.tellg() || in.rdstate() != words.rdstate())
            lang::fuzz::fail("type name read a different extent than the word '" + word + "'");
        if (id < -1 || id > 3) lang::fuzz::fail("type name left the id unset for '" + word + "'");
        if (id != -1 && lang::fuzz::text(id) != lowered(word))
            lang::fuzz::fail("'" + word + "' read as " + lang::fuzz::text(id));
        if (type::id(word) != -1 && lang::fuzz::text(type::id(word)) != word)
            lang::fuzz::fail("type::id('" + word + "') prints as " + lang::fuzz::text(type::id(word)));
        if (!in) break;
    }
    return 0;
}
