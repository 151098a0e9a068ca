// SPDX-License-Identifier: Apache-2.0
// The message identifiers the library raises: one class per catalog key,
// e.g. tarvex::common::lang::core::types::InvalidMatrix. Callers that catch a
// kbase::MessageException read catalog, key and arguments back through
// e.message().id(); arguments are rendered text (or integers) in slot order.
// Text arguments may be any string type; the library exports the
// constructors for std::string, char const* and std::u16string.
#pragma once

#include <lang/core/export.hpp>

#include <lexicon/base_msg_id.hpp>

#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

/// The library's message identifiers: one class per catalog and key, such as
/// types::InvalidMatrix, declared by the table in message_ids.hpp.
namespace tarvex::common::lang::core {
namespace detail {

/// A string literal usable as a template argument.
template <std::size_t N>
struct LANGCORE_API Literal {
    constexpr Literal(char const (&s)[N]) {  // NOLINT: implicit by design
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
    char text[N];
};

/// Argument slot kinds: text (narrow, or UTF-16 when passed as such) and integer.
struct LANGCORE_API Text {};
struct LANGCORE_API Integer {};

template <class Slot, class Arg>
lexicon::MsgArgument to_slot(Arg const& arg) {
    if constexpr (std::is_same_v<Slot, Integer>) {
        return lexicon::MsgArgument(std::in_place_index<0>, static_cast<long>(arg));
    } else if constexpr (std::is_constructible_v<std::u16string, Arg const&> &&
                         !std::is_constructible_v<std::string, Arg const&>) {
        return lexicon::MsgArgument(std::in_place_index<2>, std::u16string(arg));
    } else {
        return lexicon::MsgArgument(std::in_place_index<1>, std::string(arg));
    }
}

/// An identifier of catalog `Catalog`, key `Key`, whose constructor stores
/// one parameter per slot, in order.
template <Literal Catalog, Literal Key, class... Slots>
class LANGCORE_API MessageId : public lexicon::BaseMsgID {
public:
    static constexpr char const* catalog_name = Catalog.text;
    static constexpr char const* key_name = Key.text;
    static constexpr std::size_t arity = sizeof...(Slots);

    template <class... Args>
        requires(sizeof...(Args) == sizeof...(Slots))
    explicit MessageId(Args const&... args);
};

// Not inline, so that the library's instantiations are the ones clients call.
template <Literal Catalog, Literal Key, class... Slots>
template <class... Args>
    requires(sizeof...(Args) == sizeof...(Slots))
MessageId<Catalog, Key, Slots...>::MessageId(Args const&... args)
    : BaseMsgID(Catalog.text, Key.text, {to_slot<Slots>(args)...}) {}

}  // namespace detail

// The catalog table: catalog, key, argument slots. Each row declares the class
// catalog::Key; rows of N take no text argument.
#define LANGCORE_MESSAGE_IDS(X, N)                                                  \
    X(constants, InvalidOp, Text, Text)                                             \
    X(constants, DivideByZero, Text, Text)                                          \
    X(constants, InvalidArray, Text)                                                \
    X(constants, InvalidToArray, Text)                                              \
    X(constants, InvalidConditional, Text, Text, Text)                              \
    X(constants, InvalidArrayConditional, Text, Text, Text)                         \
    X(constants, InvalidAssign, Text, Text)                                         \
    X(constants, InvalidExtract, Text)                                              \
    X(constants, InvalidAccum, Text, Text)                                          \
    X(constants, InvalidExtrema, Text, Text)                                        \
    X(constants, InvalidGet, Text)                                                  \
    X(constants, InvalidSet, Text, Text)                                            \
    X(constants, InvalidIndex, Text)                                                \
    X(constants, InvalidConversion, Text, Text)                                     \
    X(constants, TypeMismatchForPad, Text, Text)                                    \
    X(constants, InvalidScalarConstant, Text)                                       \
    X(constants, InvalidTupleAccess, Integer, Text)                                 \
    X(types, InvalidIndex, Text, Integer)                                           \
    X(types, InconsistentIndexDimension, Integer, Text)                             \
    X(types, InvalidMatrix, Text)                                                   \
    X(types, InconsistentSize, Text, Text)                                          \
    X(types, InconsistentMultiply, Text, Text)                                      \
    X(types, InvalidReshape, Text, Text)                                            \
    N(types, EmptyFunctionType)                                                      \
    X(types, InvalidGroundType, Text)                                               \
    N(index, EmptyConcatenation)                                                     \
    X(index, InvalidConcatenation, Integer, Text, Text)                             \
    N(ir, InvalidColon, Integer, Integer)                                            \
    N(ir, InvalidExpressions1)                                                       \
    N(ir, InvalidExpressionsN, Integer, Integer)                                     \
    X(ir, InvalidOpArity, Text, Integer, Integer)                                   \
    X(ext, UnresolvedExternalFunction, Text, Text)

#define LANGCORE_DECLARE_MESSAGE_ID(catalog, key, ...)                                       \
    namespace catalog {                                                                      \
    struct key : detail::MessageId<"tarvex:common:lang:core:" #catalog, #key __VA_OPT__(, ) \
                                       __VA_ARGS__> {                                        \
        using MessageId::MessageId;                                                          \
    };                                                                                       \
    }

using detail::Integer;
using detail::Text;
LANGCORE_MESSAGE_IDS(LANGCORE_DECLARE_MESSAGE_ID, LANGCORE_DECLARE_MESSAGE_ID)

#undef LANGCORE_DECLARE_MESSAGE_ID

// The constructor parameters of a row when its text arguments are of type S.
#define LANGCORE_MESSAGE_PARAM_Text(S) S const&
#define LANGCORE_MESSAGE_PARAM_Integer(S) long const&
#define LANGCORE_MESSAGE_PARAMS(S, ...) __VA_OPT__(LANGCORE_MESSAGE_PARAMS_1(S, __VA_ARGS__))
#define LANGCORE_MESSAGE_PARAMS_1(S, a, ...) \
    LANGCORE_MESSAGE_PARAM_##a(S) __VA_OPT__(, LANGCORE_MESSAGE_PARAMS_2(S, __VA_ARGS__))
#define LANGCORE_MESSAGE_PARAMS_2(S, a, ...) \
    LANGCORE_MESSAGE_PARAM_##a(S) __VA_OPT__(, LANGCORE_MESSAGE_PARAMS_3(S, __VA_ARGS__))
#define LANGCORE_MESSAGE_PARAMS_3(S, a) LANGCORE_MESSAGE_PARAM_##a(S)

// The exported constructors, instantiated once in the library.
#define LANGCORE_MESSAGE_CONSTRUCTORS(prefix, catalog, key, ...)                                          \
    prefix catalog::key::MessageId::MessageId(LANGCORE_MESSAGE_PARAMS(std::string, __VA_ARGS__)); \
    prefix catalog::key::MessageId::MessageId(LANGCORE_MESSAGE_PARAMS(char const*, __VA_ARGS__)); \
    prefix catalog::key::MessageId::MessageId(LANGCORE_MESSAGE_PARAMS(std::u16string, __VA_ARGS__));
#define LANGCORE_MESSAGE_CONSTRUCTOR(prefix, catalog, key, ...) \
    prefix catalog::key::MessageId::MessageId(LANGCORE_MESSAGE_PARAMS(long, __VA_ARGS__));
#define LANGCORE_EXTERN_MESSAGE_CONSTRUCTORS(...) LANGCORE_MESSAGE_CONSTRUCTORS(extern template LANGCORE_API, __VA_ARGS__)
#define LANGCORE_EXTERN_MESSAGE_CONSTRUCTOR(...) LANGCORE_MESSAGE_CONSTRUCTOR(extern template LANGCORE_API, __VA_ARGS__)

LANGCORE_MESSAGE_IDS(LANGCORE_EXTERN_MESSAGE_CONSTRUCTORS, LANGCORE_EXTERN_MESSAGE_CONSTRUCTOR)

}  // namespace tarvex::common::lang::core

namespace lang::core {

/// The file extension of the message catalogs, ".tvmsg"; finding and reading
/// them is the host's work.
LANGCORE_API extern std::string const catalog_extension;

}  // namespace lang::core
