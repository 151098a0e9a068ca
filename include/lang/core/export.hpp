// SPDX-License-Identifier: Apache-2.0
// Symbol visibility: the library is built with hidden visibility, and only
// what is marked LANGCORE_API is part of its binary interface.
#pragma once

#define LANGCORE_API __attribute__((visibility("default")))
