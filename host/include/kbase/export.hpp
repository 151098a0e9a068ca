// SPDX-License-Identifier: Apache-2.0
// Symbol visibility for the host stand-in library: everything is hidden unless
// marked KBASE_API.
#pragma once

#define KBASE_API __attribute__((visibility("default")))
