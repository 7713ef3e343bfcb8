#pragma once
// Where the next value of a line goes while a Frame is decoded: a field of a record (a typed pointer into the
// Frame being built), the Frame itself, the next record of a list, or a place that keeps nothing. The type
// of a field's member decides which JSON values it accepts (frame_events.cpp).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "model/fault.hpp"
#include "model/frame.hpp"
#include "model/record_fields.hpp"

namespace tolmin {

struct SkipValue {};     // the value of a key that is no field of its record
struct SurplusValue {};  // a value after the last field of a record in array form
struct UnitValue {};     // the null under the one key of an enumeration in object form

template <class R>
struct NewElement {  // a record to add to a list
    std::vector<R>* list;
};

using Slot = std::variant<SkipValue, SurplusValue, UnitValue, Frame*, NewElement<Alert>, NewElement<Toast>,
                          std::uint32_t*, double*, std::string*, std::optional<std::string>*, Anchor*,
                          ToastKind*, std::optional<Count>*, std::optional<Hud>*, std::optional<Night>*,
                          std::vector<Alert>*, std::vector<Toast>*>;

namespace value_slot {

template <class R, std::size_t I>
void point_at(Slot& slot, R& record) {
    auto* field = &(record.*std::get<I>(Record<R>::FIELDS).member);
    static_assert(std::is_constructible_v<Slot, decltype(field)>,
                  "A field of a type the decoder does not take yet: add a pointer to it to Slot, and say in "
                  "frame_events.cpp which JSON values it takes.");
    slot = field;
}

template <class R, std::size_t... I>
constexpr std::array<void (*)(Slot&, R&), sizeof...(I)> field_pointers(std::index_sequence<I...>) {
    return {&point_at<R, I>...};
}

}  // namespace value_slot

// Points `slot` at the field `index` of `record`, or at SurplusValue past its last field.
template <class R>
void point_at_field(Slot& slot, R& record, std::size_t index) {
    static constexpr auto POINT = value_slot::field_pointers<R>(std::make_index_sequence<FIELD_COUNT<R>>{});
    if (index < POINT.size()) {
        POINT[index](slot, record);
    } else {
        slot = SurplusValue{};
    }
}

// The expected part of an "invalid type" fault for a slot.
constexpr std::string_view expected_part(const std::uint32_t*) {
    return expected::U32;
}
constexpr std::string_view expected_part(const double*) {
    return expected::F64;
}
constexpr std::string_view expected_part(const std::string*) {
    return expected::STRING;
}
constexpr std::string_view expected_part(const std::optional<std::string>*) {
    return expected::STRING;
}
template <class R>
constexpr std::string_view expected_part(const std::vector<R>*) {
    return expected::SEQUENCE;
}
template <IsRecord R>
constexpr std::string_view expected_part(const R*) {
    return Record<R>::NAME;
}
template <IsRecord R>
constexpr std::string_view expected_part(const std::optional<R>*) {
    return Record<R>::NAME;
}
template <class R>
constexpr std::string_view expected_part(NewElement<R>) {
    return Record<R>::NAME;
}
constexpr std::string_view expected_part(UnitValue) {
    return expected::UNIT;
}

}  // namespace tolmin
