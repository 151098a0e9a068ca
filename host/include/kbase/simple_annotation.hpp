// SPDX-License-Identifier: Apache-2.0
// For classes that carry no annotation: comparing while ignoring annotations
// is plain equality, and stripping them does nothing.
#pragma once

namespace kbase {

template <class Self>
struct SimpleAnnotation {
    friend bool equal_ignore_annotation(Self const& a, Self const& b) { return a == b; }
    friend void strip_annotation_inplace(Self&) noexcept {}
};

}  // namespace kbase
