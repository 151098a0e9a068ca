// SPDX-License-Identifier: Apache-2.0
// The evaluator's reader: any bytes, split into statements the way a session
// splits them, either read or raise SyntaxError. The same bytes also decode
// to a constant whose printed form must read back and print the same.
#include "constant_decoder.hpp"

#include "evaluator.hpp"
#include "parser.hpp"

#include <lang/core/types/type.hpp>

#include <sstream>
#include <string>

namespace {

void read_statements(std::string const& text) {
    std::istringstream in(text);
    std::string pending, line;
    // A comment ends with its line, so the brackets open in the pending text
    // are the sum over its lines: counting each line once keeps long inputs
    // linear where the session rescans.
    long open = 0;
    auto read = [&] {
        try {
            if (!lang::eval::is_blank(pending)) (void)lang::eval::parse_statement(pending);
        } catch (lang::eval::SyntaxError const&) {
        }
        pending.clear();
        open = 0;
    };
    while (std::getline(in, line)) {
        line += '\n';
        pending += line;
        open += lang::eval::open_brackets(line);
        if (open <= 0) read();
    }
    read();
}

// Reals print with 16 digits, so the first reading may land on a neighbour;
// its printed form must then be the same text.
void read_back(lang::core::Constant const& value) {
    std::string const text = lang::fuzz::text(value);
    lang::eval::Evaluator evaluator;
    lang::core::Constant const read = [&] {
        try {
            return evaluator.evaluate(lang::eval::parse_statement(text).expression);
        } catch (std::exception const& e) {
            lang::fuzz::fail("printed constant does not read back: " + text + ": " + e.what());
        }
    }();
    if (lang::fuzz::text(read) != text) lang::fuzz::fail("read back as " + lang::fuzz::text(read) + ", printed as " + text);
    if (value_type(read) != value_type(value)) lang::fuzz::fail("read back with another type: " + text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    read_statements(std::string(reinterpret_cast<char const*>(data), size));
    lang::fuzz::ByteReader in(data, size);
    read_back(lang::fuzz::ConstantDecoder(in).constant(2, false));
    return 0;
}
