// SPDX-License-Identifier: Apache-2.0
// A walk through shapes and types: build them, reshape and multiply shapes,
// print both text forms, compare and hash types, and read a raised message
// back from its exception.
#include <lang/core/core.hpp>

#include <kbase/message.hpp>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <variant>

namespace {

using namespace lang::core;

// The user forms are UTF-16; these examples only hold ASCII.
std::string narrow(std::u16string const& text) { return std::string(text.begin(), text.end()); }

template <class F>
void show_raised(char const* what, F&& call) {
    //! [message]
    try {
        call();
        std::cout << what << ": nothing raised\n";
    } catch (kbase::MessageException const& e) {
        auto const& id = e.message().id();
        std::cout << what << " raised " << id.catalog() << " / " << id.key() << " (";
        char const* separator = "";
        for (auto const& argument : id.arguments()) {
            std::cout << separator;
            if (auto const* text = std::get_if<std::string>(&argument)) std::cout << '"' << *text << '"';
            else if (auto const* number = std::get_if<long>(&argument)) std::cout << *number;
            else std::cout << '"' << narrow(std::get<std::u16string>(argument)) << '"';
            separator = ", ";
        }
        std::cout << ")\n    " << e.what() << '\n';
    }
    //! [message]
}

void shapes() {
    std::cout << "== Shapes\n";
    //! [array_size]
    ArraySize const s{2, 3};
    std::cout << "s            " << s << "   user form " << narrow(to_user_string(s)) << ", " << s.numElements()
              << " elements\n";

    // Trailing lengths of 1 are implicit, so these name the same interned shape.
    ArraySize const same{2, 3, 1, 1};
    std::cout << "{2, 3, 1, 1} " << same << "   same record: " << std::boolalpha << (same.data() == s.data()) << '\n';

    std::cout << "reshape 3x2  " << s.reshape(ArraySize{3, 2}) << '\n';
    //! [array_size]
    std::cout << "reshape 0x1x2 (0 inferred) " << s.reshape(ArraySize{0, 1, 2}) << '\n';
    std::cout << "s * {1,2,4}  " << s * ArraySize{1, 2, 4} << "   (dimension by dimension)\n";
    std::cout << "mtimes(s, 3x4) " << mtimes(s, ArraySize{3, 4}) << "   transpose " << s.transpose() << '\n';

    show_raised("{2, 3, 4}.requireMatrix()", [] { ArraySize{2, 3, 4}.requireMatrix(); });
    show_raised("s.reshape(4x2)", [&] { s.reshape(ArraySize{4, 2}); });
    show_raised("s.check(6)", [&] { s.check(6); });
}

void types() {
    std::cout << "\n== Types\n";
    //! [type]
    Type const real = ScalarType(type::REAL);
    Type const flag = ScalarType(type::LOGICAL);
    Type const matrix = ArrayType(type::REAL, ArraySize{2, 3});
    Type const pair = TupleType(real + matrix);
    Type const nothing;
    //! [type]

    for (Type const* t : {&real, &flag, &matrix, &pair, &nothing}) {
        std::ostringstream text;
        text << *t;
        std::printf("%-32s id %lu  hash %016lx  void %d\n", text.str().c_str(), t->id(), hash_value(*t),
                    is_void_type(*t));
    }
    std::cout << "user form of the array type: " << narrow(to_user_string(std::get<ArrayType>(matrix.value())))
              << '\n';

    // Any tuple orders before any scalar, and any scalar before any array.
    std::cout << std::boolalpha << "pair < real: " << (pair < real) << ", real < matrix: " << (real < matrix)
              << ", flag < real: " << (flag < real) << ", compare(real, real) = " << compare(real, real) << '\n';

    Types const arguments = Types(matrix) + real;
    std::cout << "argument list " << arguments << ", function type " << FunctionType(arguments + flag) << '\n';

    show_raised("ground_type(tuple<>)", [&] { ground_type(nothing); });
    show_raised("FunctionType(())", [] { FunctionType{Types()}; });
}

}  // namespace

int main() {
    shapes();
    types();
}
