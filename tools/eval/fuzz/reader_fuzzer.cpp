// libFuzzer target for the reader: any bytes, split into statements the way
// a session splits them, must either read or raise SyntaxError.
#include "parser.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
    std::string pending, line;
    auto read = [&] {
        try {
            if (!lang::eval::is_blank(pending)) (void)lang::eval::parse_statement(pending);
        } catch (lang::eval::SyntaxError const&) {
        }
        pending.clear();
    };
    while (std::getline(in, line)) {
        pending += line + '\n';
        if (lang::eval::open_brackets(pending) <= 0) read();
    }
    read();
    return 0;
}
