// Proves that the installed headers compile on their own and that a message
// exception thrown inside the shared libraries is caught here by its type.
#include <lang/core/core.hpp>

#include <kbase/identifier.hpp>
#include <kbase/message.hpp>

#include <cstdio>
#include <string>

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

    if (failures == 0) std::printf("consumer: installed langcore works\n");
    return failures == 0 ? 0 : 1;
}
