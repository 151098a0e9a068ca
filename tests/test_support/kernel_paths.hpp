// SPDX-License-Identifier: Apache-2.0
// Runs a check once on the generic kernels and once on the widest ones this
// processor has, so that one machine proves both paths.
#pragma once

#include <lang/core/ops/detail/kernel_path.hpp>

#include <gtest/gtest.h>

namespace lang::core::test {

template <class F>
void on_every_kernel_path(F check) {
    for (bool const generic : {true, false}) {
        detail::force_generic_kernels(generic);
        bool const avx2 = detail::kernel_path() == detail::KernelPath::avx2;
        SCOPED_TRACE(avx2 ? "AVX2 kernels" : "generic kernels");
        check();
    }
}

}  // namespace lang::core::test
