#include "model/enum_names.hpp"

namespace tolmin {

std::optional<Anchor> anchor_from_name(std::string_view name) {
    for (const Anchor anchor : {Anchor::TopLeft, Anchor::TopRight, Anchor::BottomLeft, Anchor::BottomRight}) {
        if (name == anchor_name(anchor)) return anchor;
    }
    return std::nullopt;
}

ToastKind toast_kind_from_name(std::string_view name) {
    for (const ToastKind kind : {ToastKind::Marker, ToastKind::Caller, ToastKind::Same}) {
        if (name == toast_kind_name(kind)) return kind;
    }
    return ToastKind::Unrecognized;
}

}  // namespace tolmin
