#include "model/value_target.hpp"

#include "model/fault.hpp"

namespace tolmin {

Target target_of(FieldSlot slot) {
    switch (slot.kind) {
        case ValueKind::U32:
            return {Want::U32, slot.storage};
        case ValueKind::F64:
            return {Want::F64, slot.storage};
        case ValueKind::Text:
            return {Want::Text, slot.storage};
        case ValueKind::OptionalText:
            return {Want::OptionalText, slot.storage};
        case ValueKind::AnchorName:
            return {Want::AnchorName, slot.storage};
        case ValueKind::ToastKindName:
            return {Want::ToastKindName, slot.storage};
        case ValueKind::OptionalCount:
            return {Want::OptionalCount, slot.storage};
        case ValueKind::OptionalHud:
            return {Want::OptionalHud, slot.storage};
        case ValueKind::OptionalNight:
            return {Want::OptionalNight, slot.storage};
        case ValueKind::AlertList:
            return {Want::AlertList, slot.storage};
        case ValueKind::ToastList:
            return {Want::ToastList, slot.storage};
    }
    return {Want::Skip, nullptr};
}

std::string_view expected_of(Want want) {
    switch (want) {
        case Want::FrameRecord:
            return expected::FRAME;
        case Want::AlertElement:
            return expected::ALERT;
        case Want::ToastElement:
            return expected::TOAST;
        case Want::U32:
            return expected::U32;
        case Want::F64:
            return expected::F64;
        case Want::Text:
        case Want::OptionalText:
            return expected::STRING;
        case Want::OptionalHud:
            return expected::HUD;
        case Want::OptionalNight:
            return expected::NIGHT;
        case Want::AlertList:
        case Want::ToastList:
            return expected::SEQUENCE;
        default:
            return expected::UNIT;
    }
}

}  // namespace tolmin
