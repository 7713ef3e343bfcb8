#pragma once
// What the next value of a line becomes while a Frame is decoded: a record to open, a field of a record,
// the null of an enumeration in object form, or a value to skip.

#include <cstdint>
#include <string_view>

namespace tolmin {

enum class Want : std::uint8_t {
    FrameRecord,    // the Frame (storage: Frame)
    AlertElement,   // a record to append (storage: std::vector<Alert>)
    ToastElement,   // a record to append (storage: std::vector<Toast>)
    U32,            // std::uint32_t
    F64,            // double
    Text,           // std::string
    OptionalText,   // std::optional<std::string>
    AnchorName,     // Anchor
    ToastKindName,  // ToastKind
    OptionalCount,  // std::optional<Count>
    OptionalHud,    // std::optional<Hud>
    OptionalNight,  // std::optional<Night>
    AlertList,      // std::vector<Alert>
    ToastList,      // std::vector<Toast>
    Unit,           // the null under the key of an enumeration in object form
    Skip,           // the value of an unknown key
    Surplus,        // a value after the last field of a record in array form
};

struct Target {
    Want want = Want::FrameRecord;
    void* storage = nullptr;
};

// The expected part of an "invalid type" fault for this target ("u32", "struct Hud", ...).
std::string_view expected_of(Want want);

}  // namespace tolmin
