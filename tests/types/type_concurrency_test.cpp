// Types hashed, compared and copied on several threads at once: memos are
// filled without a race.
#include <lang/core/types/type.hpp>

#include "test_support/threads.hpp"

#include <gtest/gtest.h>

#include <variant>

namespace lang::core {
namespace {

// Nested, with every memo still unset, so that the threads race to fill them.
Type fresh_tuple() {
    Types inner{Type(ScalarType(type::REAL))};
    inner += Type(ArrayType(type::INDEX, {2, 3}));
    Types outer = inner;
    outer += Type(TupleType(inner));
    return TupleType(outer);
}

// Distinct types that share one list, and one const type shared by all,
// hashed, compared, copied and destroyed on four threads at once.
TEST(TypeConcurrency, SharedListsAndOneConstTypeOnFourThreads) {
    Type const reference = fresh_tuple();
    unsigned long const hash = hash_value(reference);
    Type const shared = fresh_tuple();
    Types const& list = std::get<TupleType>(shared.value()).types();

    test::expect_on_threads(4, 200, [&] {
        // Hashing comes first: once the threads have passed through the
        // list's reference count, its ordering would hide a plain memo write.
        if (hash_value(Type(TupleType(list))) != hash) return false;
        Type const mine = TupleType(list);
        Type const copy = shared;
        Types longer = list;
        longer += copy;
        return hash_value(mine) == hash && hash_value(shared) == hash && mine == shared && copy == reference &&
               compare(shared, mine) == 0 && hash_value(TupleType(longer)) != hash;
    });
}

}  // namespace
}  // namespace lang::core
