// SPDX-License-Identifier: Apache-2.0
// Proves that the installed headers compile on their own, that the library
// loaded is the one they describe, and that message exceptions thrown inside
// both shared libraries are caught here by type. CI builds it through the
// CMake package and, as one file, through pkg-config.
#include <lang/core/core.hpp>

#include <kbase/identifier.hpp>
#include <kbase/message.hpp>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

int failures = 0;

void check(bool ok, char const* what) {
    if (!ok) {
        std::fprintf(stderr, "consumer: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main() {
    check(std::string(lang::core::version()) == LANGCORE_VERSION_STRING, "the loaded library is another version");

    std::ostringstream text;
    text << lang::core::ArrayType(lang::core::type::REAL, lang::core::ArraySize{2, 3});
    check(text.str() == "array<real, 2, 3>", "wrong stream form of an array type");

    try {
        lang::core::ArraySize{2, 3, 4}.requireMatrix();
        check(false, "a three-dimensional size passed as a matrix");
    } catch (kbase::MessageException const& e) {
        auto const& id = e.message().id();
        check(id.catalog() == "tarvex:common:lang:core:types", "wrong catalog");
        check(id.key() == "InvalidMatrix", "wrong key");
        check(id.arguments() == std::vector<lexicon::MsgArgument>{std::string("2, 3, 4")}, "wrong arguments");
        std::printf("caught %s/%s: %s\n", id.catalog().c_str(), id.key().c_str(), e.what());
    }

    try {
        kbase::detail::HdIdCheck{}("9lives", 6);
        check(false, "an invalid identifier was accepted");
    } catch (kbase::MessageException const& e) {
        auto const& id = e.message().id();
        check(id.catalog() == "kbase:utility", "wrong catalog");
        check(id.key() == "InvalidIdentifier", "wrong key");
        check(std::string(e.what()) == "\"9lives\" is not an identifier.", "wrong message text");
        std::printf("caught %s/%s: %s\n", id.catalog().c_str(), id.key().c_str(), e.what());
    }

    if (failures == 0) std::printf("consumer: installed langcore %s works\n", lang::core::version());
    return failures == 0 ? 0 : 1;
}
