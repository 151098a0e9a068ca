// SPDX-License-Identifier: Apache-2.0
#include <lang/core/version.hpp>

#include <gtest/gtest.h>

#include <string>

// A stale generated header in the build tree, or a library from another
// build, shows up as a difference here.
TEST(Version, LibraryMatchesTheHeaderItWasBuiltWith) {
    EXPECT_STREQ(lang::core::version(), LANGCORE_VERSION_STRING);
    EXPECT_EQ(std::to_string(LANGCORE_VERSION_MAJOR) + '.' + std::to_string(LANGCORE_VERSION_MINOR) + '.' +
                  std::to_string(LANGCORE_VERSION_PATCH),
              LANGCORE_VERSION_STRING);
}
