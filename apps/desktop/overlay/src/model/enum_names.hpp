#pragma once
// The JSON names of the render model's enumerations, both ways. EnumNames<E> lists the names of E; an
// enumeration with an OTHER value takes it for every name it does not list, one without refuses such names
// ("unknown variant `x`, expected " and its EXPECTED).

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "model/frame.hpp"

namespace tolmin {

template <class E>
struct EnumNames;

template <>
struct EnumNames<Anchor> {
    static constexpr std::array<std::pair<std::string_view, Anchor>, 4> NAMES{
        {{"top-left", Anchor::TopLeft},
         {"top-right", Anchor::TopRight},
         {"bottom-left", Anchor::BottomLeft},
         {"bottom-right", Anchor::BottomRight}}};
    static constexpr std::string_view EXPECTED =
        "one of `top-left`, `top-right`, `bottom-left`, `bottom-right`";
};

template <>
struct EnumNames<ToastKind> {
    static constexpr std::array<std::pair<std::string_view, ToastKind>, 3> NAMES{
        {{"marker", ToastKind::Marker}, {"caller", ToastKind::Caller}, {"same", ToastKind::Same}}};
    static constexpr ToastKind OTHER = ToastKind::Unrecognized;
    static constexpr std::string_view OTHER_NAME = "unrecognized";
};

// The value with exactly this name; OTHER or none when no value has it.
template <class E>
std::optional<E> enum_from_name(std::string_view name) {
    for (const auto& [text, value] : EnumNames<E>::NAMES) {
        if (name == text) return value;
    }
    if constexpr (requires { EnumNames<E>::OTHER; }) {
        return EnumNames<E>::OTHER;
    } else {
        return std::nullopt;
    }
}

inline std::optional<Anchor> anchor_from_name(std::string_view name) {
    return enum_from_name<Anchor>(name);
}

}  // namespace tolmin
