// SPDX-License-Identifier: Apache-2.0
// Subscripts lowered the way a compiler lowers them: one position range per
// dimension into an IndexerBuilder, whose Indexer checks them and visits the
// selected positions.
#include "evaluator.hpp"

#include "constant_kind.hpp"

#include <lang/core/core.hpp>

#include <boost/range/iterator_range.hpp>

namespace lang::eval {

namespace {

using core::Constant;

// The positions one subscript selects: a scalar gives one, an array its
// elements in storage order.
std::vector<unsigned long> positions(Constant value, Node const& node) {
    if (is_scalar(value)) return {Evaluator::to_count(value)};
    if (std::holds_alternative<core::Array<int>>(value.value())) {
        auto [converted, lossy] = core::convert_with_check(core::type::INDEX, value);
        if (lossy) throw EvalError(node.at, "a subscript cannot be negative");
        value = converted;
    }
    core::Array<unsigned long> const indices = core::indexable::ToIndexRange<Constant>()(value);
    return {indices.begin(), indices.end()};
}

}  // namespace

core::IndexRange visited(core::Indexer const& indexer) {
    return boost::make_iterator_range(indexer.begin(), indexer.end());
}

Constant subscript(Evaluator& ev, Constant const& target, std::span<Node const> subscripts, Position at) {
    if (subscripts.empty()) throw EvalError(at, "a subscript needs at least one position");
    if (is_tuple(target)) {
        if (subscripts.size() != 1) throw EvalError(at, "a tuple takes one subscript");
        unsigned long const i = ev.count(subscripts[0]);
        ev.at(at);
        return core::extract(target, i);
    }
    ev.at(at);
    Constant const array = is_scalar(target) ? core::to_array(target) : target;
    core::ArraySize const size = core::array_type(array).size();
    core::IndexerBuilder builder(size);
    bool scalar = true;
    unsigned long selected = 1;
    for (unsigned long k = 0; k < subscripts.size(); ++k) {
        Node const& s = subscripts[k];
        if (s.kind == Node::Kind::Whole) {
            scalar = false;
            unsigned long const n = core::length(size, k, subscripts.size());
            builder.append_(core::make_counting_entry(0, n));
            selected *= n;
            (void)ev.shape({selected}, s.at);
            continue;
        }
        Constant const value = ev.evaluate(s);
        ev.at(s.at);
        std::vector<unsigned long> list = positions(value, s);
        scalar = scalar && is_scalar(value);
        selected *= list.size();
        // Checked before the Indexer visits them, so that a huge selection is refused, not attempted.
        (void)ev.shape({selected}, s.at);
        builder.append_(core::make_list_entry(std::move(list)));
    }
    ev.at(at);
    core::Indexer const indexer = builder;
    if (scalar) return core::indexable::Get<Constant>()(array, *indexer.begin());
    Constant result = core::indexable::Create<Constant>()(core::ArrayType(core::array_type(array).base(), indexer.size()));
    auto const all = core::make_counting_entry(0, indexer.size().numElements());
    core::indexable::Assign<Constant>()(result, all.second, array, visited(indexer));
    return result;
}

}  // namespace lang::eval
