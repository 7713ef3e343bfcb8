#include "model/frame.hpp"

namespace tolmin {

const char* anchor_name(Anchor anchor) {
    switch (anchor) {
        case Anchor::TopLeft:
            return "top-left";
        case Anchor::TopRight:
            return "top-right";
        case Anchor::BottomLeft:
            return "bottom-left";
        case Anchor::BottomRight:
            return "bottom-right";
    }
    return "bottom-right";
}

const char* toast_kind_name(ToastKind kind) {
    switch (kind) {
        case ToastKind::Marker:
            return "marker";
        case ToastKind::Caller:
            return "caller";
        case ToastKind::Same:
            return "same";
        case ToastKind::Unrecognized:
            return "unrecognized";
    }
    return "unrecognized";
}

}  // namespace tolmin
