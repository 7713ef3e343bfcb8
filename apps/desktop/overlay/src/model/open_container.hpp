#pragma once
// The containers open while a Frame is decoded, each with the typed record, list or field it fills: a record
// in object or array form, a list of records, an enumeration in object form ({"top-left":null}).

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "model/frame.hpp"
#include "model/record_fields.hpp"

namespace tolmin {

template <class R>
struct InObject {
    R* record;
    std::bitset<FIELD_COUNT<R>> given{};  // the fields already given
};
template <class R>
struct InArray {
    R* record;
    std::size_t next = 0;  // the field that the next value goes to
};
template <class R>
struct InList {
    std::vector<R>* list;
};
template <class E>
struct InEnumObject {
    E* field;
    std::optional<E> named;  // by its key
};
using OpenContainer =
    std::variant<InObject<Frame>, InObject<Hud>, InObject<Night>, InObject<Alert>, InObject<Toast>,
                 InArray<Frame>, InArray<Hud>, InArray<Night>, InArray<Alert>, InArray<Toast>, InList<Alert>,
                 InList<Toast>, InEnumObject<Anchor>, InEnumObject<ToastKind>>;

namespace open_container {

template <class T>
constexpr bool MOVES_ON = false;
template <class R>
constexpr bool MOVES_ON<InArray<R>> = true;
template <class R>
constexpr bool MOVES_ON<InList<R>> = true;

template <std::size_t... I>
constexpr std::array<bool, sizeof...(I)> moves_on_table(std::index_sequence<I...>) {
    return {MOVES_ON<std::variant_alternative_t<I, OpenContainer>>...};
}

inline constexpr auto MOVES_ON_TABLE =
    moves_on_table(std::make_index_sequence<std::variant_size_v<OpenContainer>>{});

}  // namespace open_container

// True for the containers that a value moves on: a record in array form to its next field, a list to its next
// record. (A look at a table by the alternative's index: where most values are fields of records in object
// form, it costs less than a visit.)
inline bool moves_on(const OpenContainer& container) {
    return open_container::MOVES_ON_TABLE[container.index()];
}

}  // namespace tolmin
