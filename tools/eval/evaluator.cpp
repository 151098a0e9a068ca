// SPDX-License-Identifier: Apache-2.0
#include "evaluator.hpp"

#include "operator_hint.hpp"

#include <lang/core/core.hpp>

#include <kbase/message.hpp>

#include <climits>
#include <sstream>

namespace lang::eval {

namespace {

using core::Constant;

std::string type_text(Constant const& c) {
    std::ostringstream os;
    os << core::value_type(c);
    return os.str();
}

bool is_int_min(Node const& node) {
    return node.kind == Node::Kind::Operator && node.op == core::op::UMINUS &&
           node.children[0].kind == Node::Kind::Integer && node.children[0].magnitude == 1UL + INT_MAX;
}

}  // namespace

void point_at_mismatch(Evaluator& ev, std::span<Constant const> values, std::span<Node const> nodes,
                       Position otherwise) {
    ev.at(otherwise);
    for (unsigned long k = 0; k < values.size(); ++k) {
        if (core::holds_tuple(values[k]) || core::element_type_of(values[k]) != core::element_type_of(values[0])) {
            ev.at(nodes[k].at);
            return;
        }
    }
}

std::optional<Constant> Evaluator::run(Statement const& statement) {
    hint_.clear();
    Constant value = evaluate(statement.expression);
    if (statement.target.empty()) return value;
    if (find_function(statement.target) != nullptr)
        throw EvalError(statement.expression.at, "'" + statement.target + "' is a function and cannot be bound");
    names_.insert_or_assign(statement.target, std::move(value));
    return std::nullopt;
}

std::vector<std::string> Evaluator::names() const {
    std::vector<std::string> names;
    for (auto const& entry : names_) names.push_back(entry.first);
    return names;
}

Constant Evaluator::evaluate(Node const& node) {
    at_ = node.at;
    switch (node.kind) {
    case Node::Kind::Integer:
        if (node.magnitude > INT_MAX) {
            throw EvalError(node.at, "integer literal out of range: " + std::to_string(node.magnitude) +
                                         " (integers are 32-bit; write an index such as " +
                                         std::to_string(node.magnitude) + "i)");
        }
        return static_cast<int>(node.magnitude);
    case Node::Kind::Value: return node.value;
    case Node::Kind::Name: return name(node);
    case Node::Kind::Operator: return operation(node);
    case Node::Kind::Matrix: return matrix(node);
    case Node::Kind::Stack: return stack(node);
    case Node::Kind::Tuple: {
        core::Constants elements;
        for (Node const& e : node.children) elements.push_back(evaluate(e));
        return core::Tuple(std::move(elements));
    }
    case Node::Kind::Call: return call(node);
    case Node::Kind::Subscript: {
        Constant const target = evaluate(node.children[0]);
        return subscript(*this, target, std::span(node.children).subspan(1), node.at);
    }
    case Node::Kind::Whole: throw EvalError(node.at, "':' stands only for a whole dimension in a subscript");
    case Node::Kind::If: {
        Constant const c = evaluate(node.children[0]);
        Constant const a = evaluate(node.children[1]);
        Constant const b = evaluate(node.children[2]);
        at_ = node.at;
        return core::conditional(c, a, b);
    }
    case Node::Kind::Compact: return compact(node);
    }
    throw EvalError(node.at, "unknown syntax");
}

Constant Evaluator::name(Node const& node) {
    if (auto const it = names_.find(node.text); it != names_.end()) return it->second;
    if (find_function(node.text) != nullptr)
        throw EvalError(node.at, "'" + node.text + "' is a function; call it as " + node.text + "(...)");
    throw EvalError(node.at, "unknown name '" + node.text + "'");
}

Constant Evaluator::operation(Node const& node) {
    if (is_int_min(node)) return INT_MIN;
    Constant const a = evaluate(node.children[0]);
    if (node.children.size() == 1) {
        at_ = node.at;
        return core::apply(node.op, a);
    }
    Constant const b = evaluate(node.children[1]);
    at_ = node.at;
    try {
        return core::apply(node.op, a, b);
    } catch (kbase::MessageException const&) {
        hint_ = operator_hint(node.op, a, b);
        throw;
    }
}

// Elements are checked by the library, which reports a non-scalar element or
// one of another element type; the evaluator points at it.
Constant Evaluator::matrix(Node const& node) {
    unsigned long const columns = node.columns, rows = node.children.size() / columns;
    std::vector<Constant> elements;
    for (Node const& child : node.children) {
        elements.push_back(evaluate(child));
        if (!core::holds_scalar(elements.back()))
            throw EvalError(child.at, "an array element must be a scalar, not " + type_text(elements.back()));
    }
    // Written row by row, stored column by column.
    std::vector<Constant> stored;
    for (unsigned long c = 0; c < columns; ++c)
        for (unsigned long r = 0; r < rows; ++r) stored.push_back(elements[r * columns + c]);
    point_at_mismatch(*this, elements, node.children, node.at);
    return core::array_from(core::ArraySize{rows, columns}, stored);
}

// [[a, b; c, d], [e, f; g, h]]: equal-shaped slices along one more dimension.
Constant Evaluator::stack(Node const& node) {
    unsigned long depth = 1;
    for (Node const* n = &node.children[0]; n->kind == Node::Kind::Stack; n = &n->children[0]) ++depth;
    std::vector<Constant> slices;
    for (Node const& child : node.children) slices.push_back(evaluate(child));

    core::ArraySize const slice_size = core::array_type(slices[0]).size();
    std::vector<unsigned long> lengths;
    for (unsigned long k = 0; k <= depth; ++k) lengths.push_back(slice_size(k));
    lengths.push_back(slices.size());
    (void)shape(lengths, node.at);  // within the cap before anything is built
    for (unsigned long j = 0; j < slices.size(); ++j) {
        core::ArraySize const size = core::array_type(slices[j]).size();
        if (size != slice_size) {
            std::ostringstream os;
            os << "stacked arrays must have one shape; this one is " << size << ", the first " << slice_size;
            throw EvalError(node.children[j].at, os.str());
        }
    }
    point_at_mismatch(*this, slices, node.children, node.at);
    return core::concatenate(depth + 1, slices);
}

// empty<type, lengths...>, colon<start, step, stop>, eye<type, lengths...>,
// uniform_array<value, lengths...>.
Constant Evaluator::compact(Node const& node) {
    auto const& items = node.children;
    auto const need = [&](unsigned long least, char const* form) {
        if (items.size() < least) throw EvalError(node.at, std::string("expected ") + form);
    };
    if (node.text == "colon") {
        if (items.size() != 2 && items.size() != 3) throw EvalError(node.at, "expected colon<start, step, stop>");
        unsigned long const start = count(items[0]), stop = count(items.back());
        unsigned long const step = items.size() == 3 ? count(items[1]) : 1;
        if (step == 0) throw EvalError(items[1].at, "a colon's step must be at least 1");
        at_ = node.at;
        core::Colon const colon(start, step, stop);
        (void)shape({colon.count()}, node.at);
        return core::to_constant(colon);
    }
    if (node.text == "uniform_array") {
        need(2, "uniform_array<value, lengths...>");
        Constant const value = evaluate(items[0]);
        core::ArraySize const size = shape(std::span(items).subspan(1), node.at);
        at_ = items[0].at;
        return core::to_constant(core::UniformArray(core::ScalarConstant(value), size));
    }
    need(2, node.text == "eye" ? "eye<type, lengths...>" : "empty<type, lengths...>");
    core::type::Id const type = element_type(items[0]);
    core::ArraySize const size = shape(std::span(items).subspan(1), node.at);
    at_ = node.at;
    if (node.text == "eye") return core::to_constant(core::Eye(type, size));
    if (size.numElements() != 0) throw EvalError(node.at, "empty<...> needs a zero length");
    return core::make_constant(core::ArrayType(type, size));
}

Constant Evaluator::call(Node const& node) {
    if (Function const* f = find_function(node.text)) {
        unsigned long const n = node.children.size();
        if (n < f->min_arguments || n > f->max_arguments) {
            std::string expected = std::to_string(f->min_arguments);
            if (f->max_arguments != f->min_arguments)
                expected += f->max_arguments == ULONG_MAX ? " or more" : " to " + std::to_string(f->max_arguments);
            throw EvalError(node.at, node.text + " takes " + expected + " arguments; it was given " + std::to_string(n));
        }
        return f->fold(*this, node);
    }
    if (auto const it = names_.find(node.text); it != names_.end())
        return subscript(*this, it->second, node.children, node.at);
    throw EvalError(node.at, "unknown function or name '" + node.text + "'");
}

unsigned long Evaluator::count(Node const& node) {
    Constant const value = evaluate(node);
    at_ = node.at;
    if (auto const* i = std::get_if<core::Scalar<int>>(&value.value()); i != nullptr && i->value >= 0)
        return static_cast<unsigned long>(i->value);
    if (std::holds_alternative<core::Scalar<unsigned long>>(value.value()))
        return core::scalar_value<unsigned long>(value);
    throw EvalError(node.at, "expected a count (a non-negative integer or an index), not " +
                                 (core::holds_scalar(value) ? core::stream_text(value) : type_text(value)));
}

unsigned long Evaluator::dimension(Node const& node) {
    unsigned long const d = count(node);
    if (d >= max_dimension)
        throw EvalError(node.at, "dimension " + std::to_string(d) + " is beyond this evaluator's " +
                                     std::to_string(max_dimension) + " dimensions");
    return d;
}

core::type::Id Evaluator::element_type(Node const& node) {
    core::type::Id const id = node.kind == Node::Kind::Name ? core::type::id(node.text) : core::type::INVALID;
    if (id == core::type::INVALID)
        throw EvalError(node.at, "expected an element type: logical, integer, index or real");
    return id;
}

core::ArraySize Evaluator::shape(std::vector<unsigned long> const& lengths, Position at) const {
    unsigned long product = 1;
    for (unsigned long length : lengths) {
        if (length > max_elements || (length != 0 && product > max_elements / length))
            throw EvalError(at, "an array of more than " + std::to_string(max_elements) +
                                    " elements is beyond this evaluator");
        product *= length == 0 ? 1 : length;
    }
    if (lengths.size() > max_dimension) throw EvalError(at, "too many dimensions");
    return core::ArraySize(std::span<unsigned long const>(lengths));
}

core::ArraySize Evaluator::shape(std::span<Node const> nodes, Position at) {
    std::vector<unsigned long> lengths;
    for (Node const& n : nodes) lengths.push_back(count(n));
    return shape(lengths, at);
}

}  // namespace lang::eval
