// The message identifiers the library raises: one class per catalog key,
// e.g. tarvex::common::lang::core::types::InvalidMatrix. Callers that catch a
// kbase::MessageException read catalog, key and arguments back through
// e.message().id(); arguments are rendered text (or integers) in slot order.
#pragma once

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
struct Literal {
    constexpr Literal(char const (&s)[N]) {  // NOLINT: implicit by design
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
    char text[N];
};

/// Argument slot kinds: text (narrow, or UTF-16 when passed as such) and integer.
struct Text {};
struct Integer {};

template <class Slot, class Arg>
lexicon::MsgArgument to_slot(Arg&& arg) {
    if constexpr (std::is_same_v<Slot, Integer>) {
        return lexicon::MsgArgument(std::in_place_index<0>, static_cast<long>(arg));
    } else if constexpr (std::is_constructible_v<std::u16string, Arg&&> &&
                         !std::is_constructible_v<std::string, Arg&&>) {
        return lexicon::MsgArgument(std::in_place_index<2>, std::forward<Arg>(arg));
    } else {
        return lexicon::MsgArgument(std::in_place_index<1>, std::forward<Arg>(arg));
    }
}

/// An identifier of catalog `Catalog`, key `Key`, whose constructor stores
/// one parameter per slot, in order.
template <Literal Catalog, Literal Key, class... Slots>
class MessageId : public lexicon::BaseMsgID {
public:
    static constexpr char const* catalog_name = Catalog.text;
    static constexpr char const* key_name = Key.text;
    static constexpr std::size_t arity = sizeof...(Slots);

    template <class... Args>
        requires(sizeof...(Args) == sizeof...(Slots))
    explicit MessageId(Args&&... args)
        : BaseMsgID(Catalog.text, Key.text, {to_slot<Slots>(std::forward<Args>(args))...}) {}
};

}  // namespace detail

// The catalog table: catalog, key, argument slots. Each row declares the class
// catalog::Key.
#define LANGCORE_MESSAGE_IDS(X)                                                     \
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
    X(types, EmptyFunctionType)                                                     \
    X(types, InvalidGroundType, Text)                                               \
    X(index, EmptyConcatenation)                                                    \
    X(index, InvalidConcatenation, Integer, Text, Text)                             \
    X(ir, InvalidColon, Integer, Integer)                                           \
    X(ir, InvalidExpressions1)                                                      \
    X(ir, InvalidExpressionsN, Integer, Integer)                                    \
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
LANGCORE_MESSAGE_IDS(LANGCORE_DECLARE_MESSAGE_ID)

#undef LANGCORE_DECLARE_MESSAGE_ID

}  // namespace tarvex::common::lang::core
