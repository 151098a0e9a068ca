// SPDX-License-Identifier: Apache-2.0
#include "detail/raise.hpp"

namespace lang::core::detail {

void throw_message(lexicon::BaseMsgID const& id) { throw kbase::MessageException(kbase::Message(id)); }

}  // namespace lang::core::detail
