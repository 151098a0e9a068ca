// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/message_ids.hpp>

namespace tarvex::common::lang::core {

#define LANGCORE_DEFINE_MESSAGE_CONSTRUCTORS(...) LANGCORE_MESSAGE_CONSTRUCTORS(template LANGCORE_API, __VA_ARGS__)
#define LANGCORE_DEFINE_MESSAGE_CONSTRUCTOR(...) LANGCORE_MESSAGE_CONSTRUCTOR(template LANGCORE_API, __VA_ARGS__)

LANGCORE_MESSAGE_IDS(LANGCORE_DEFINE_MESSAGE_CONSTRUCTORS, LANGCORE_DEFINE_MESSAGE_CONSTRUCTOR)

}  // namespace tarvex::common::lang::core

namespace lang::core {

std::string const catalog_extension = ".tvmsg";

}  // namespace lang::core
