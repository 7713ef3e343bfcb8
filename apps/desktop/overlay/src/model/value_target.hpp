#pragma once
// What the next value of a line becomes while a Frame is decoded: a record to open, a field of a record,
// the null of an enumeration in object form, or a value to skip.

#include <cstdint>
#include <string_view>

#include "model/record_fields.hpp"

namespace tolmin {

enum class Want : std::uint8_t {
    FrameRecord,
    AlertElement,
    ToastElement,  // a record to open
    U32,
    F64,
    Text,
    OptionalText,
    AnchorName,
    ToastKindName,  // fields, stored as ValueKind says
    OptionalCount,
    OptionalHud,
    OptionalNight,
    AlertList,
    ToastList,
    Unit,     // the null under the key of an enumeration in object form
    Skip,     // the value of an unknown key
    Surplus,  // a value after the last field of a record in array form
};

struct Target {
    Want want = Want::FrameRecord;
    void* storage = nullptr;  // the field, the list (for its elements) or the Frame
};

Target target_of(FieldSlot slot);

// The expected part of an "invalid type" fault for this target ("u32", "struct Hud", ...).
std::string_view expected_of(Want want);

}  // namespace tolmin
