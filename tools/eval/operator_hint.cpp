// SPDX-License-Identifier: Apache-2.0
#include "operator_hint.hpp"


#include <lang/core/core.hpp>

#include <kbase/message.hpp>

#include <sstream>

namespace lang::eval {

namespace {

using core::Constant;

bool folds(core::op::Id op, Constant const& a, Constant const& b) {
    try {
        (void)core::apply(op, a, b);
        return true;
    } catch (kbase::MessageException const&) {
        return false;
    }
}

std::string type_name(core::type::Id id) {
    std::ostringstream os;
    os << id;
    return os.str();
}

}  // namespace

std::string operator_hint(core::op::Id op, Constant const& a, Constant const& b) {
    if (op == core::op::MTIMES && folds(core::op::TIMES, a, b))
        return "* is the matrix product; .* multiplies element by element";
    core::type::Id const ta = core::element_type_of(a), tb = core::element_type_of(b);
    if (ta == tb || ta == core::type::INVALID || tb == core::type::INVALID) return {};
    // The left operand first, so that integer and real meet as reals.
    for (bool const left : {true, false}) {
        core::type::Id const to = left ? tb : ta;
        try {
            Constant const converted = core::convert(to, left ? a : b);
            if (left ? folds(op, converted, b) : folds(op, a, converted))
                return "the element types differ; convert the " + std::string(left ? "left" : "right") +
                       " operand, as in convert(x, " + type_name(to) + ")";
        } catch (kbase::MessageException const&) {
        }
    }
    return {};
}

}  // namespace lang::eval
