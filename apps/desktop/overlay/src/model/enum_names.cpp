#include "model/enum_names.hpp"

#include <array>
#include <utility>

namespace tolmin {

namespace {

constexpr std::array<std::pair<std::string_view, Anchor>, 4> ANCHORS = {
    {{"top-left", Anchor::TopLeft},
     {"top-right", Anchor::TopRight},
     {"bottom-left", Anchor::BottomLeft},
     {"bottom-right", Anchor::BottomRight}}};
constexpr std::array<std::pair<std::string_view, ToastKind>, 3> KINDS = {
    {{"marker", ToastKind::Marker}, {"caller", ToastKind::Caller}, {"same", ToastKind::Same}}};

}  // namespace

std::optional<Anchor> anchor_from_name(std::string_view name) {
    for (const auto& [text, anchor] : ANCHORS) {
        if (name == text) return anchor;
    }
    return std::nullopt;
}

ToastKind toast_kind_from_name(std::string_view name) {
    for (const auto& [text, kind] : KINDS) {
        if (name == text) return kind;
    }
    return ToastKind::Unrecognized;
}

}  // namespace tolmin
