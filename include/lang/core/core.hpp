// The whole public interface of langcore.
#pragma once

#include <lang/core/export.hpp>

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

// Operator, reduction and keyword tables
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/expression_errors.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>
#include <lang/core/ops/op_output.hpp>

// Text
#include <lang/core/text/assert_type.hpp>
#include <lang/core/text/quoted_string.hpp>
#include <lang/core/text/type_ctor.hpp>
