// SPDX-License-Identifier: Apache-2.0
// Test helper: asserts that a call throws kbase::MessageException carrying
// exactly the given catalog, key and arguments.
//
//   expect_message([&] { s.requireMatrix(); }, types_catalog, "InvalidMatrix", {"2, 3, 4"});
#pragma once

#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace lang::core::test {

inline constexpr char const* constants_catalog = "tarvex:common:lang:core:constants";
inline constexpr char const* types_catalog = "tarvex:common:lang:core:types";

using MessageArguments = std::vector<std::variant<long, std::string, std::u16string>>;

template <class F>
void expect_message(F&& call, std::string const& catalog, std::string const& key,
                    MessageArguments const& arguments) {
    try {
        std::forward<F>(call)();
    } catch (kbase::MessageException const& e) {
        auto const& id = e.message().id();
        EXPECT_EQ(id.catalog(), catalog);
        EXPECT_EQ(id.key(), key);
        EXPECT_EQ(id.arguments(), arguments) << "arguments of " << catalog << " " << key;
        return;
    }
    ADD_FAILURE() << "expected " << catalog << " " << key << " to be raised";
}

}  // namespace lang::core::test
