// SPDX-License-Identifier: Apache-2.0
// Declarations of langcore's value, type and indexing classes and of its
// enumerations, for a header that only names them: one that passes them by
// reference, or declares functions that take or return them. A file that
// builds, reads or copies one includes the class's own header (or core.hpp).
#pragma once

#include <cstdint>

namespace lang::core {

namespace type {
enum Id : std::int32_t;
}
namespace op {
enum Id : std::int32_t;
}
namespace accum {
enum Id : std::int32_t;
}
namespace extrema {
enum Id : std::int32_t;
}
namespace keyword {
enum Id : std::int32_t;
}
enum class AssertType : std::int32_t;

// Types and shapes
class ArraySize;
class Type;
class Types;
class ScalarType;
class ArrayType;
class TupleType;
class FunctionType;

// Values
template <class T>
class Array;
template <class T>
struct Scalar;
class Constant;
class Constants;
class Tuple;
class ScalarConstant;
class Colon;
class Eye;
class UniformArray;

// Indexing
class Indexer;
class IndexerBuilder;
class IndexChecker;
class Concatenator;
class InverseConcatenator;
class ConstantIterator;

// External functions
class ExternalFunctionInstance;
class ResolverEvalFcn;

}  // namespace lang::core
