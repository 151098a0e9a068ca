// SPDX-License-Identifier: Apache-2.0
// Runs a check once on every kernel path this processor supports, so that one
// machine proves them all, and checks that each path set is the path that ran.
#pragma once

#include <lang/core/ops/detail/kernel_path.hpp>

#include <gtest/gtest.h>

#include <string>

namespace lang::core::test {

/// `check` must call a kernel on arrays of at least eight elements.
template <class F>
void on_every_kernel_path(F check) {
    auto const paths = detail::supported_kernel_paths();
    for (detail::KernelPath const path : paths) {
        std::string const name(detail::kernel_path_name(path));
        SCOPED_TRACE(name + " kernels");
        ASSERT_TRUE(detail::set_kernel_path(path));
        check();
        EXPECT_EQ(detail::last_kernel_path(), path) << "the kernels did not run on " << name;
    }
    detail::set_kernel_path(paths.back());
}

}  // namespace lang::core::test
