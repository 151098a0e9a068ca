// SPDX-License-Identifier: Apache-2.0
// Where digests of types and constants are fed: a sink that receives bytes in
// order, integers as big-endian bytes, one call per field.
#pragma once

#include <functional>

namespace lang::core {

/// Receives a digest's bytes: a pointer and a count, one call per field.
using DigestSink = std::function<void(char const*, unsigned long)>;

}  // namespace lang::core
