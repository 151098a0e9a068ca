// SPDX-License-Identifier: Apache-2.0
// The whole public interface of langcore.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/fwd.hpp>
#include <lang/core/version.hpp>

// Types and shapes
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/digest_sink.hpp>
#include <lang/core/types/function_type.hpp>
#include <lang/core/types/message_ids.hpp>
#include <lang/core/types/scalar_type.hpp>
#include <lang/core/types/tuple_type.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/type_id.hpp>
#include <lang/core/types/types.hpp>

// Values
#include <lang/core/constants/array.hpp>
#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/colon.hpp>
#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/constant_kind.hpp>
#include <lang/core/constants/constants.hpp>
#include <lang/core/constants/eye.hpp>
#include <lang/core/constants/scalar.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>
#include <lang/core/constants/tuple.hpp>
#include <lang/core/constants/uniform_array.hpp>
#include <lang/core/constants/value_reading.hpp>

// Operations: tables and folding
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/apply.hpp>
#include <lang/core/ops/conditional.hpp>
#include <lang/core/ops/convert.hpp>
#include <lang/core/ops/expression_errors.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>
#include <lang/core/ops/op_output.hpp>
#include <lang/core/ops/pad.hpp>
#include <lang/core/ops/reduce.hpp>
#include <lang/core/ops/reduce_all.hpp>

// Indexing
#include <lang/core/index/concatenate.hpp>
#include <lang/core/index/concatenator.hpp>
#include <lang/core/index/constant_iterator.hpp>
#include <lang/core/index/element_access.hpp>
#include <lang/core/index/index_checker.hpp>
#include <lang/core/index/index_range.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>
#include <lang/core/index/inverse_concatenator.hpp>
#include <lang/core/index/multi_index.hpp>
#include <lang/core/index/subscript.hpp>

// External functions
#include <lang/core/ext/external_function_instance.hpp>
#include <lang/core/ext/raw_value.hpp>
#include <lang/core/ext/resolver.hpp>
#include <lang/core/ext/resolver_eval_fcn.hpp>

// Text
#include <lang/core/text/assert_type.hpp>
#include <lang/core/text/constant_text.hpp>
#include <lang/core/text/quoted_string.hpp>
#include <lang/core/text/type_ctor.hpp>
