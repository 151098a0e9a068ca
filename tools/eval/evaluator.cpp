// SPDX-License-Identifier: Apache-2.0
#include "evaluator.hpp"

#include "constant_kind.hpp"
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

// The positions start, ..., stop - 1 as a range for Assign.
struct Span {
    Span(unsigned long start, unsigned long stop) : entry(core::make_counting_entry(start, stop)) {}
    core::IndexEntry entry;
    core::IndexRange const& range() const { return entry.second; }
};

}  // namespace

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

// Elements are stored with Set, so a non-scalar element or one of another
// element type is reported by the library.
Constant Evaluator::matrix(Node const& node) {
    unsigned long const columns = node.columns, rows = node.children.size() / columns;
    Constant const first = evaluate(node.children[0]);
    if (!is_scalar(first)) throw EvalError(node.children[0].at, "an array element must be a scalar, not " + type_text(first));
    Constant result = core::indexable::Create<Constant>()(core::ArrayType(element_type_of(first), core::ArraySize{rows, columns}));
    core::indexable::Set<Constant> const set;
    for (unsigned long k = 0; k < node.children.size(); ++k) {
        Constant const element = k == 0 ? first : evaluate(node.children[k]);
        at_ = node.children[k].at;
        set(result, k / columns + k % columns * rows, element);
    }
    return result;
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

    Constant result = core::indexable::Create<Constant>()(core::ArrayType(element_type_of(slices[0]), shape(lengths, node.at)));
    unsigned long const n = slice_size.numElements();
    core::indexable::Assign<Constant> const assign;
    for (unsigned long j = 0; j < slices.size(); ++j) {
        at_ = node.children[j].at;
        core::ArraySize const size = core::array_type(slices[j]).size();
        if (size != slice_size) {
            std::ostringstream os;
            os << "stacked arrays must have one shape; this one is " << size << ", the first " << slice_size;
            throw EvalError(node.children[j].at, os.str());
        }
        assign(result, Span(j * n, (j + 1) * n).range(), slices[j], Span(0, n).range());
    }
    return result;
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
    return core::indexable::Create<Constant>()(core::ArrayType(type, size));
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
    return to_count(value);
}

unsigned long Evaluator::to_count(Constant const& value) {
    if (auto const* i = std::get_if<core::Scalar<int>>(&value.value()); i != nullptr && i->value >= 0)
        return static_cast<unsigned long>(i->value);
    return core::indexable::ToIndex<Constant>()(value);
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
