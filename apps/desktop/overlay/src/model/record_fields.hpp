#pragma once
// The keys of each record of the render model in declaration order, what each field holds, and where the
// decoder stores it. Array form records take their values in this order.

#include <cstdint>
#include <string_view>

namespace tolmin {

enum class RecordKind : std::uint8_t { Frame, Hud, Night, Alert, Toast };

// What a value position holds.
enum class ValueKind : std::uint8_t {
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
};

struct FieldSlot {
    ValueKind kind = ValueKind::Text;
    void* storage = nullptr;  // the field inside its record, of the type named beside ValueKind
};

inline constexpr int NO_FIELD = -1;

int field_count(RecordKind record);
// The index of the field with exactly this key (after escapes were decoded), or NO_FIELD.
int field_index(RecordKind record, std::string_view key);
std::string_view field_key(RecordKind record, int index);
// The field `index` of `record_object`, which points at the record of kind `record`.
FieldSlot field_slot(RecordKind record, void* record_object, int index);

// "struct Frame", "struct Hud", ...
std::string_view record_expected(RecordKind record);

}  // namespace tolmin
