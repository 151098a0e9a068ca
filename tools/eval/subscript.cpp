// SPDX-License-Identifier: Apache-2.0
// Subscripts go to the library's subscript(), which lowers them as a compiler
// does; this file turns its errors into ones that point at the subscript at
// fault and name its dimension.
#include "evaluator.hpp"

#include <lang/core/core.hpp>

#include <algorithm>

namespace lang::eval {

namespace {

using core::Constant;

bool negative(Constant const& value) {
    if (auto const* i = std::get_if<core::Scalar<int>>(&value.value())) return i->value < 0;
    if (auto const* a = std::get_if<core::Array<int>>(&value.value()))
        return std::any_of(a->begin(), a->end(), [](int i) { return i < 0; });
    return false;
}

}  // namespace

Constant subscript(Evaluator& ev, Constant const& target, std::span<Node const> subscripts, Position at) {
    if (subscripts.empty()) throw EvalError(at, "a subscript needs at least one position");
    ev.at(at);
    bool const tuple = core::holds_tuple(target);
    core::ArraySize const size = tuple ? core::ArraySize{1} : core::array_type(core::holds_scalar(target) ? core::to_array(target) : target).size();
    std::vector<core::Subscript> lowered;
    std::vector<Constant> values(subscripts.size(), Constant(0));
    unsigned long selected = 1;
    for (unsigned long k = 0; k < subscripts.size(); ++k) {
        Node const& s = subscripts[k];
        if (s.kind == Node::Kind::Whole) {
            lowered.emplace_back(core::whole);
            selected *= tuple ? 1 : core::length(size, k, subscripts.size());
        } else {
            values[k] = ev.evaluate(s);
            lowered.emplace_back(values[k]);
            selected *= core::holds_array(values[k]) ? core::array_type(values[k]).size().numElements() : 1;
        }
        // Checked before the library visits them, so that a huge selection is refused, not attempted.
        (void)ev.shape({selected}, s.at);
    }
    ev.at(at);
    try {
        return core::subscript(target, lowered);
    } catch (core::SubscriptError const& e) {
        unsigned long const k = e.position();
        std::string const dimension = "subscript in dimension " + std::to_string(k);
        if (negative(values[k])) throw EvalError(subscripts[k].at, dimension + ": subscripts cannot be negative");
        auto const& id = e.message().id();
        throw EvalError(subscripts[k].at, dimension + ": " + e.message().text() + " [" + id.catalog() + "/" + id.key() + "]");
    }
}

}  // namespace lang::eval
