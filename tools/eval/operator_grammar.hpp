// SPDX-License-Identifier: Apache-2.0
// The operators the reader accepts, derived from the library's operator
// table: each infix format gives a spelling and whether it is prefix, infix or
// postfix, and precedence and binding come from the same table, so the reader
// parses exactly what the library prints.
#pragma once

#include <lang/core/ops/op_id.hpp>

#include <map>
#include <string>
#include <vector>

namespace lang::eval {

class OperatorGrammar {
public:
    static OperatorGrammar const& instance();

    /// The operator spelt `token` in that place, or INVALID.
    core::op::Id prefix(std::string const& token) const { return find(prefix_, token); }
    core::op::Id infix(std::string const& token) const { return find(infix_, token); }
    core::op::Id postfix(std::string const& token) const { return find(postfix_, token); }

    /// Every operator spelling, longest first, for the lexer's longest match.
    std::vector<std::string> const& spellings() const { return spellings_; }

    /// Whether an operand slot of an operator of precedence `outer` at
    /// `position` (0 left, 1 right) holds an `inner` expression without
    /// parentheses: the library's printing rule read backwards.
    static bool binds_within(core::op::Id inner, unsigned long outer, unsigned long position);

private:
    OperatorGrammar();
    static core::op::Id find(std::map<std::string, core::op::Id> const& table, std::string const& token);

    std::map<std::string, core::op::Id> prefix_;
    std::map<std::string, core::op::Id> infix_;
    std::map<std::string, core::op::Id> postfix_;
    std::vector<std::string> spellings_;
};

}  // namespace lang::eval
