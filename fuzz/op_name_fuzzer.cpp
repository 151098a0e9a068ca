// SPDX-License-Identifier: Apache-2.0
// Operator, reduction and extremum names read with >>: exactly the printed
// names read, each as the value that prints it, and the reader consumes one
// word, as string extraction does.
#include "byte_reader.hpp"

#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include <map>
#include <sstream>
#include <string>

using namespace lang::core;

namespace {

// The names as the printer writes them, so the reader is checked against the
// other direction rather than against its own table.
template <class Id>
std::map<std::string, Id> const& names(int count) {
    static auto const table = [count] {
        std::map<std::string, Id> m;
        for (int k = 0; k < count; ++k) m.emplace(lang::fuzz::text(static_cast<Id>(k)), static_cast<Id>(k));
        if (m.size() != static_cast<unsigned>(count)) lang::fuzz::fail("two values print the same name");
        return m;
    }();
    return table;
}

template <class Id>
void read_all(std::string const& text, int count) {
    auto const& table = names<Id>(count);
    std::istringstream in(text), words(text);
    for (;;) {
        auto id = static_cast<Id>(count + 5);
        in >> id;
        std::string word;
        words >> word;
        if (in.tellg() != words.tellg() || in.rdstate() != words.rdstate())
            lang::fuzz::fail("name read a different extent than the word '" + word + "'");
        auto const found = table.find(word);
        auto const expected = found == table.end() ? static_cast<Id>(-1) : found->second;
        if (id != expected)
            lang::fuzz::fail("'" + word + "' read as " + std::to_string(static_cast<int>(id)) + ", expected " +
                             std::to_string(static_cast<int>(expected)));
        if (!in) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string const text(reinterpret_cast<char const*>(data), size);
    read_all<op::Id>(text, 42);
    read_all<accum::Id>(text, 6);
    read_all<extrema::Id>(text, 2);
    if (lang::fuzz::text(static_cast<op::Id>(-1)) != "invalid") lang::fuzz::fail("the invalid operator prints otherwise");
    return 0;
}
