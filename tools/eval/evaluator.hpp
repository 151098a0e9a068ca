// SPDX-License-Identifier: Apache-2.0
// Folds statements to constants with the library, and remembers the names
// that earlier statements bound.
#pragma once

#include "syntax.hpp"

#include <lang/core/constants/constant.hpp>
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/type_id.hpp>

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::eval {

/// A statement that reads but cannot be folded for a reason of the
/// evaluator's own (an unknown name, a wrong argument count...). Errors of the
/// library propagate as they are.
class EvalError : public std::runtime_error {
public:
    EvalError(Position at, std::string const& what) : std::runtime_error(what), at(at) {}
    Position at;
};

class Evaluator {
public:
    /// Arrays built from lengths the user writes are capped, so that a typo
    /// cannot ask for terabytes.
    static constexpr unsigned long max_elements = 1UL << 24;
    static constexpr unsigned long max_dimension = 64;

    /// The statement's value, or nothing for an assignment. When it raises,
    /// `failed_at()` is the place of the operation that failed.
    std::optional<core::Constant> run(Statement const& statement);

    core::Constant evaluate(Node const& node);
    /// The names that statements bound so far.
    std::vector<std::string> names() const;
    Position failed_at() const noexcept { return at_; }
    /// After an operator failed in the last run: how its operands would fit, or empty.
    std::string const& hint() const noexcept { return hint_; }

    // Argument readers for the functions.
    /// A non-negative integer or an index scalar.
    unsigned long count(Node const& node);
    /// A count that names a dimension.
    unsigned long dimension(Node const& node);
    /// One of the element type names: logical, integer, index, real.
    core::type::Id element_type(Node const& node);
    /// The shape of these lengths, within the cap.
    core::ArraySize shape(std::vector<unsigned long> const& lengths, Position at) const;
    /// The counts of `nodes`, as a shape within the cap.
    core::ArraySize shape(std::span<Node const> nodes, Position at);

    /// Records `at` as the place of the operation about to run.
    void at(Position at) noexcept { at_ = at; }

private:
    core::Constant name(Node const& node);
    core::Constant operation(Node const& node);
    core::Constant matrix(Node const& node);
    core::Constant stack(Node const& node);
    core::Constant compact(Node const& node);
    core::Constant call(Node const& node);

    std::map<std::string, core::Constant, std::less<>> names_;
    Position at_;
    std::string hint_;
};

/// target(subscripts...): 0-based subscripts, each an index or non-negative
/// integer scalar or array, or `:` for a whole dimension. All-scalar
/// subscripts give a scalar; a tuple takes one subscript and gives its element.
core::Constant subscript(Evaluator& evaluator, core::Constant const& target, std::span<Node const> subscripts,
                         Position at);

/// Records the place of the first of `nodes` whose value is a tuple or has
/// another element type than the first one's, or else `otherwise`: where a
/// library call that joins the values will have failed.
void point_at_mismatch(Evaluator& evaluator, std::span<core::Constant const> values, std::span<Node const> nodes,
                       Position otherwise);

/// A function of the language: `call` is the Call node, already checked to
/// have between `min_arguments` and `max_arguments` arguments.
struct Function {
    core::Constant (*fold)(Evaluator& evaluator, Node const& call);
    unsigned long min_arguments;
    unsigned long max_arguments;
};

/// The function named `name`, or null.
Function const* find_function(std::string const& name);
/// The names of every function.
std::vector<std::string> function_names();

}  // namespace lang::eval
