// SPDX-License-Identifier: Apache-2.0
// The functions of the evaluator's language: every operator by its printed
// name, the reductions by theirs, and the array functions. Names come from
// the library's own tables.
#include "evaluator.hpp"

#include <lang/core/core.hpp>

#include <climits>
#include <sstream>
#include <unordered_map>

namespace lang::eval {

namespace {

using core::Constant;

template <class Id>
std::string printed_name(Id id) {
    std::ostringstream os;
    os << id;
    return os.str();
}

std::vector<Constant> values(Evaluator& ev, std::span<Node const> nodes) {
    std::vector<Constant> result;
    for (Node const& n : nodes) result.push_back(ev.evaluate(n));
    return result;
}

// plus(a, b, c) folds the list; an operator that cannot fold a list must be
// given exactly its arity, which the library's arity error reports.
template <core::op::Id Op>
Constant fold_operator(Evaluator& ev, Node const& call) {
    std::vector<Constant> operands = values(ev, call.children);
    ev.at(call.at);
    bool const folds = core::accum::from_base(Op) != core::accum::INVALID;
    if (operands.empty() || (!folds && operands.size() != core::op::arity(Op)))
        throw core::InvalidOpArity(Op, operands.size());
    return core::apply(Op, core::Constants(std::move(operands)), true);
}

template <class Id, Id R>
Constant reduce(Evaluator& ev, Node const& call) {
    Constant const x = ev.evaluate(call.children[0]);
    unsigned long const dim = ev.dimension(call.children[1]);
    ev.at(call.at);
    return core::apply(R, dim, x);
}

Constant convert(Evaluator& ev, Node const& call) {
    Constant const x = ev.evaluate(call.children[0]);
    core::type::Id const target = ev.element_type(call.children[1]);
    ev.at(call.at);
    return core::convert(target, x);
}

Constant to_array(Evaluator& ev, Node const& call) {
    Constant const x = ev.evaluate(call.children[0]);
    ev.at(call.at);
    return core::to_array(x);
}

// reshape and repmat take a scalar as the 1x1 array it stands for, as cat
// and subscripts do.
Constant as_array(Constant value) { return core::holds_scalar(value) ? core::to_array(value) : value; }

Constant reshape(Evaluator& ev, Node const& call) {
    Constant const x = as_array(ev.evaluate(call.children[0]));
    core::ArraySize const size = ev.shape(std::span(call.children).subspan(1), call.at);
    ev.at(call.at);
    core::ArraySize const reshaped = core::array_type(x).size().reshape(size);
    // The same block under the new shape: nothing is copied.
    return core::visit(
        [&](auto const& a) -> Constant {
            if constexpr (core::is_array_v<std::decay_t<decltype(a)>>) return std::decay_t<decltype(a)>(reshaped, a);
            else throw std::logic_error("bad visit");
        },
        x);
}

Constant repmat(Evaluator& ev, Node const& call) {
    Constant const x = as_array(ev.evaluate(call.children[0]));
    core::ArraySize const reps = ev.shape(std::span(call.children).subspan(1), call.at);
    ev.at(call.at);
    core::ArraySize const size = core::array_type(x).size();
    std::vector<unsigned long> lengths;
    for (unsigned long k = 0; k < std::max(size.size(), reps.size()); ++k) lengths.push_back(size(k) * reps(k));
    (void)ev.shape(lengths, call.at);
    // Tiling is a subscript: result position q of dimension k reads q mod the
    // source's length there.
    std::vector<core::Subscript> tiles;
    for (unsigned long k = 0; k < lengths.size(); ++k) {
        std::vector<unsigned long> positions(lengths[k]);
        for (unsigned long q = 0; q < lengths[k]; ++q) positions[q] = q % size(k);
        tiles.emplace_back(std::move(positions));
    }
    return core::subscript(x, tiles);
}

// cat(dim, a, b, ...): scalars count as 1x1 arrays; the result takes the
// first operand's element type, and the library reports any other.
Constant cat(Evaluator& ev, Node const& call) {
    unsigned long const dim = ev.dimension(call.children[0]);
    std::span<Node const> const nodes = std::span(call.children).subspan(1);
    std::vector<Constant> const operands = values(ev, nodes);
    point_at_mismatch(ev, operands, nodes, call.at);
    return core::concatenate(dim, operands);
}

Constant pad(Evaluator& ev, Node const& call) {
    Constant const x = ev.evaluate(call.children[0]);
    unsigned long const dim = ev.dimension(call.children[1]);
    unsigned long const length = ev.count(call.children[2]);
    Constant const fill = ev.evaluate(call.children[3]);
    ev.at(call.at);
    core::ArraySize size = core::array_type(x).size();
    size.replace(dim, length);
    (void)ev.shape(std::vector<unsigned long>(size.data()->lengths().begin(), size.data()->lengths().end()), call.at);
    ev.at(call.children[3].at);
    core::ScalarConstant const value(fill);
    ev.at(call.at);
    return core::pad(x, dim, length, value);
}

Constant array_conditional(Evaluator& ev, Node const& call) {
    std::vector<Constant> const v = values(ev, call.children);
    ev.at(call.at);
    return core::array_conditional(v[0], v[1], v[2]);
}

// size, numel and ndims: the shape as the library reports it, in index
// numbers, since lengths are what subscripts and reshape take. A scalar is
// the 1x1 array it stands for; every array has at least two dimensions.
core::ArraySize shape_of(Evaluator& ev, Node const& call) {
    Constant const x = ev.evaluate(call.children[0]);
    if (core::holds_tuple(x)) {
        std::ostringstream os;
        os << call.text << " takes an array or a scalar, not a " << core::value_type(x);
        throw EvalError(call.children[0].at, os.str());
    }
    return core::holds_scalar(x) ? core::ArraySize{1, 1} : core::array_type(x).size();
}

Constant size(Evaluator& ev, Node const& call) {
    core::ArraySize const shape = shape_of(ev, call);
    core::Array<unsigned long> lengths(core::ArraySize{1, shape.size()});
    for (unsigned long k = 0; k < shape.size(); ++k) lengths.x()[k] = shape(k);
    return lengths;
}

Constant numel(Evaluator& ev, Node const& call) { return shape_of(ev, call).numElements(); }

Constant ndims(Evaluator& ev, Node const& call) { return shape_of(ev, call).size(); }

using Table = std::unordered_map<std::string, Function>;

template <int... Ops>
void add_operators(Table& table, std::integer_sequence<int, Ops...>) {
    (table.emplace(printed_name(static_cast<core::op::Id>(Ops)),
                   Function{&fold_operator<static_cast<core::op::Id>(Ops)>, 0, ULONG_MAX}),
     ...);
}

template <class Id, int... Rs>
void add_reductions(Table& table, std::integer_sequence<int, Rs...>) {
    (table.emplace(printed_name(static_cast<Id>(Rs)), Function{&reduce<Id, static_cast<Id>(Rs)>, 2, 2}), ...);
}

Table make_table() {
    Table table;
    add_operators(table, std::make_integer_sequence<int, core::op::COUNT>());
    add_reductions<core::accum::Id>(table, std::make_integer_sequence<int, core::accum::COUNT>());
    add_reductions<core::extrema::Id>(table, std::make_integer_sequence<int, core::extrema::COUNT>());
    table.emplace("convert", Function{&convert, 2, 2});
    table.emplace("to_array", Function{&to_array, 1, 1});
    table.emplace("reshape", Function{&reshape, 2, ULONG_MAX});
    table.emplace("repmat", Function{&repmat, 2, ULONG_MAX});
    table.emplace("cat", Function{&cat, 2, ULONG_MAX});
    table.emplace("pad", Function{&pad, 4, 4});
    table.emplace("array_conditional", Function{&array_conditional, 3, 3});
    table.emplace("size", Function{&size, 1, 1});
    table.emplace("numel", Function{&numel, 1, 1});
    table.emplace("ndims", Function{&ndims, 1, 1});
    return table;
}

Table const& table() {
    static Table const table = make_table();
    return table;
}

}  // namespace

Function const* find_function(std::string const& name) {
    auto const it = table().find(name);
    return it == table().end() ? nullptr : &it->second;
}

std::vector<std::string> function_names() {
    std::vector<std::string> names;
    for (auto const& entry : table()) names.push_back(entry.first);
    return names;
}

}  // namespace lang::eval
