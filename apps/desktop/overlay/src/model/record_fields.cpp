#include "model/record_fields.hpp"

#include <array>
#include <cstring>

#include "model/fault.hpp"
#include "model/frame.hpp"

namespace tolmin {

namespace {

constexpr std::array<std::string_view, 9> FRAME_KEYS = {"v",   "anchor", "offset", "scale", "monitor",
                                                        "hud", "night",  "alerts", "toasts"};
constexpr std::array<std::string_view, 5> HUD_KEYS = {"dot", "state", "state_color", "elapsed", "presence"};
constexpr std::array<std::string_view, 2> NIGHT_KEYS = {"tag", "title"};
constexpr std::array<std::string_view, 6> ALERT_KEYS = {"id",          "bar",    "title",
                                                        "title_color", "detail", "detail_color"};
constexpr std::array<std::string_view, 13> TOAST_KEYS = {
    "id",    "kind", "born",       "dies",   "tick",         "title", "title_color",
    "count", "time", "time_color", "detail", "detail_color", "index"};

struct KeyList {
    const std::string_view* keys;
    int count;
};

KeyList keys_of(RecordKind record) {
    switch (record) {
        case RecordKind::Frame:
            return {FRAME_KEYS.data(), static_cast<int>(FRAME_KEYS.size())};
        case RecordKind::Hud:
            return {HUD_KEYS.data(), static_cast<int>(HUD_KEYS.size())};
        case RecordKind::Night:
            return {NIGHT_KEYS.data(), static_cast<int>(NIGHT_KEYS.size())};
        case RecordKind::Alert:
            return {ALERT_KEYS.data(), static_cast<int>(ALERT_KEYS.size())};
        case RecordKind::Toast:
            return {TOAST_KEYS.data(), static_cast<int>(TOAST_KEYS.size())};
    }
    return {nullptr, 0};
}

FieldSlot text(std::string& field) {
    return {ValueKind::Text, &field};
}
FieldSlot optional_text(std::optional<std::string>& field) {
    return {ValueKind::OptionalText, &field};
}
FieldSlot f64(double& field) {
    return {ValueKind::F64, &field};
}

FieldSlot frame_field(Frame& frame, int index) {
    switch (index) {
        case 0:
            return {ValueKind::U32, &frame.v};
        case 1:
            return {ValueKind::AnchorName, &frame.anchor};
        case 2:
            return f64(frame.offset);
        case 3:
            return f64(frame.scale);
        case 4:
            return optional_text(frame.monitor);
        case 5:
            return {ValueKind::OptionalHud, &frame.hud};
        case 6:
            return {ValueKind::OptionalNight, &frame.night};
        case 7:
            return {ValueKind::AlertList, &frame.alerts};
        default:
            return {ValueKind::ToastList, &frame.toasts};
    }
}

FieldSlot hud_field(Hud& hud, int index) {
    switch (index) {
        case 0:
            return optional_text(hud.dot);
        case 1:
            return text(hud.state);
        case 2:
            return optional_text(hud.state_color);
        case 3:
            return text(hud.elapsed);
        default:
            return optional_text(hud.presence);
    }
}

FieldSlot night_field(Night& night, int index) {
    return index == 0 ? optional_text(night.tag) : text(night.title);
}

FieldSlot alert_field(Alert& alert, int index) {
    switch (index) {
        case 0:
            return text(alert.id);
        case 1:
            return optional_text(alert.bar);
        case 2:
            return text(alert.title);
        case 3:
            return optional_text(alert.title_color);
        case 4:
            return optional_text(alert.detail);
        default:
            return optional_text(alert.detail_color);
    }
}

FieldSlot toast_field(Toast& toast, int index) {
    switch (index) {
        case 0:
            return text(toast.id);
        case 1:
            return {ValueKind::ToastKindName, &toast.kind};
        case 2:
            return f64(toast.born);
        case 3:
            return f64(toast.dies);
        case 4:
            return optional_text(toast.tick);
        case 5:
            return text(toast.title);
        case 6:
            return optional_text(toast.title_color);
        case 7:
            return {ValueKind::OptionalCount, &toast.count};
        case 8:
            return optional_text(toast.time);
        case 9:
            return optional_text(toast.time_color);
        case 10:
            return optional_text(toast.detail);
        case 11:
            return optional_text(toast.detail_color);
        default:
            return optional_text(toast.index);
    }
}

}  // namespace

int field_count(RecordKind record) {
    return keys_of(record).count;
}

int field_index(RecordKind record, std::string_view key) {
    const KeyList list = keys_of(record);
    for (int i = 0; i < list.count; ++i) {
        const std::string_view candidate = list.keys[i];
        if (candidate.size() == key.size() && std::memcmp(candidate.data(), key.data(), key.size()) == 0) {
            return i;
        }
    }
    return NO_FIELD;
}

std::string_view field_key(RecordKind record, int index) {
    const KeyList list = keys_of(record);
    return index >= 0 && index < list.count ? list.keys[index] : std::string_view();
}

FieldSlot field_slot(RecordKind record, void* record_object, int index) {
    switch (record) {
        case RecordKind::Frame:
            return frame_field(*static_cast<Frame*>(record_object), index);
        case RecordKind::Hud:
            return hud_field(*static_cast<Hud*>(record_object), index);
        case RecordKind::Night:
            return night_field(*static_cast<Night*>(record_object), index);
        case RecordKind::Alert:
            return alert_field(*static_cast<Alert*>(record_object), index);
        case RecordKind::Toast:
            return toast_field(*static_cast<Toast*>(record_object), index);
    }
    return {};
}

std::string_view record_expected(RecordKind record) {
    switch (record) {
        case RecordKind::Frame:
            return expected::FRAME;
        case RecordKind::Hud:
            return expected::HUD;
        case RecordKind::Night:
            return expected::NIGHT;
        case RecordKind::Alert:
            return expected::ALERT;
        case RecordKind::Toast:
            return expected::TOAST;
    }
    return expected::FRAME;
}

}  // namespace tolmin
