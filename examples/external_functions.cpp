// SPDX-License-Identifier: Apache-2.0
// Calling functions written outside the language: a resolver that knows two
// functions working on raw memory, an evaluator that resolves, marshals and
// remembers each call, and a look at the raw layout itself.
#include <lang/core/ext/raw_value.hpp>
#include <lang/core/ext/resolver_eval_fcn.hpp>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iostream>
#include <limits>
#include <string>
#include <utility>

namespace {

using namespace lang::core;
using Path = kbase::BasicHdIdPath<1>;

int resolves = 0;  // how often the resolver was asked
int calls = 0;     // how often an external function actually ran

bool is_real_array(Type const& t) {
    auto const* a = std::get_if<ArrayType>(&t.value());
    return a && a->base() == type::REAL;
}

// The input of every external function is one pointer per argument.
void const* argument(void const* input, int i) { return static_cast<void const* const*>(input)[i]; }

// math.hypot(x, y): element-wise on two real arrays of one shape.
ExternalFunctionInstance hypot_instance(ArrayType const& shape) {
    unsigned long const n = shape.size().numElements();
    return ExternalFunctionInstance(shape, [n](void* output, void const* input) {
        ++calls;
        auto const* x = static_cast<double const*>(argument(input, 0));
        auto const* y = static_cast<double const*>(argument(input, 1));
        auto* r = static_cast<double*>(output);
        for (unsigned long i = 0; i < n; ++i) r[i] = std::hypot(x[i], y[i]);
    });
}

// stats.bounds(x): the smallest and largest element of a real array, as a
// tuple; the output is a pointer array with one slot per element.
ExternalFunctionInstance bounds_instance(ArrayType const& shape) {
    unsigned long const n = shape.size().numElements();
    Type const real = ScalarType(type::REAL);
    return ExternalFunctionInstance(TupleType(real + real), [n](void* output, void const* input) {
        ++calls;
        auto const* x = static_cast<double const*>(argument(input, 0));
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (unsigned long i = 0; i < n; ++i) {
            low = std::min(low, x[i]);
            high = std::max(high, x[i]);
        }
        auto* const slots = static_cast<void* const*>(output);
        *static_cast<double*>(slots[0]) = low;
        *static_cast<double*>(slots[1]) = high;
    });
}

// Knows the two functions for real arrays; anything else it leaves to
// default_resolver, which raises, so the evaluator answers "none".
ExternalFunctionInstance resolve(Path const& path, Types const& types) {
    ++resolves;
    static Path const hypot("math.hypot");
    static Path const bounds("stats.bounds");
    if (path == hypot && types.size() == 2 && is_real_array(types[0]) && types[0] == types[1]) {
        return hypot_instance(std::get<ArrayType>(types[0].value()));
    }
    if (path == bounds && types.size() == 1 && is_real_array(types[0])) {
        return bounds_instance(std::get<ArrayType>(types[0].value()));
    }
    return default_resolver(path, types);
}

Constant reals(ArraySize const& size, std::initializer_list<double> elements) {
    Array<double> a(size);
    std::copy(elements.begin(), elements.end(), a.x());
    return a;
}

void show(ResolverEvalFcn const& eval, std::string const& path, Constants const& arguments) {
    int const before = resolves;
    boost::optional<Constant> const result = eval(Path(path), arguments);
    std::cout << path << '(';
    char const* separator = "";
    for (Constant const& a : arguments) std::cout << std::exchange(separator, ", ") << a;
    std::cout << ") = ";
    if (result) std::cout << *result;
    else std::cout << "none (not resolved)";
    std::cout << (resolves == before ? "   [from the memo]" : "") << '\n';
}

}  // namespace

int main() {
    std::cout << "== Calls through a resolver\n";
    //! [resolver_eval_fcn]
    ResolverEvalFcn const eval(resolve);
    Constant const x = reals({2, 2}, {3, 5, 4, 12});
    Constant const y = reals({2, 2}, {4, 12, 3, 5});
    show(eval, "math.hypot", {x, y});
    show(eval, "math.hypot", {x, y});  // answered from the memo
    //! [resolver_eval_fcn]
    show(eval, "stats.bounds", {reals({1, 4}, {2.5, -1, 8, 0})});
    show(eval, "stats.bounds", {reals({0, 0}, {})});
    show(eval, "math.hypot", {x, reals({1, 2}, {1, 2})});
    show(eval, "math.cbrt", {27.0});
    show(eval, "math.cbrt", {27.0});
    std::cout << std::boolalpha << "math.cbrt(27.0) remembered: " << eval.beenEvaled(Path("math.cbrt"), {27.0})
              << ", math.cbrt(8.0) remembered: " << eval.beenEvaled(Path("math.cbrt"), {8.0}) << '\n';
    std::cout << "the resolver was asked " << resolves << " times, external functions ran " << calls << " times\n";

    std::cout << "\n== The raw layout\n";
    Constant const pair = Tuple{7UL, reals({1, 3}, {0.5, 1.5, 2.5})};
    {
        // A tuple is a pointer array; the array pointer is the constant's own storage.
        auto const view = create_value_ptr(pair);
        auto const* slots = static_cast<void const* const*>(view.get());
        std::cout << "index " << *static_cast<unsigned long const*>(slots[0]) << ", reals";
        for (int i = 0; i < 3; ++i) std::cout << ' ' << static_cast<double const*>(slots[1])[i];
        std::cout << "\nread back: " << create_constant(value_type(pair), view.get()) << '\n';
    }
    // Into memory the caller owns: a pointer array and the places it names.
    unsigned long count = 0;
    double elements[3] = {};
    void* slots[] = {&count, elements};
    copy_from_constant(slots, pair);
    std::cout << "copied out: " << count << ", " << elements[0] << ' ' << elements[1] << ' ' << elements[2] << '\n';
}
