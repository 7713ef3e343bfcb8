#pragma once
// The keys of each record of the render model in declaration order, what each field holds and where the
// decoder stores it. Records in array form take their values in this order. Looking a key up is on the
// decoder's hot path, so it is inline: a hash of the key's length and first and last bytes gives every key
// of a record its own slot (checked at compile time), and the key in that slot is then compared. Measured on
// the keys of a typical frame, a plain loop over the record's keys took three times as long (1.3 us against
// 0.44 us), a tenth of the frame's whole decode.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/frame.hpp"
#include "model/value_target.hpp"

namespace tolmin {

enum class RecordKind : std::uint8_t { Frame, Hud, Night, Alert, Toast };

inline constexpr int NO_FIELD = -1;

namespace record_fields {

inline constexpr std::size_t SLOTS = 32;

constexpr std::size_t key_slot(std::string_view key) {
    return (key.size() + std::size_t{8} * static_cast<unsigned char>(key.front()) +
            std::size_t{3} * static_cast<unsigned char>(key.back())) %
           SLOTS;
}

struct Field {
    std::string_view key;
    Want want;
    void* (*address)(void* record);  // the field inside a record of its kind
};

template <class R, class T>
R owner_of(T R::*);

template <auto Member>
void* at(void* record) {
    using Record = decltype(owner_of(Member));
    return &(static_cast<Record*>(record)->*Member);
}

template <std::size_t N>
struct Table {
    std::array<Field, N> fields;
    std::array<std::uint8_t, SLOTS> slots{};  // field index + 1, or 0

    constexpr explicit Table(const std::array<Field, N>& f) : fields(f) {
        for (std::size_t i = 0; i < N; ++i) slots[key_slot(fields[i].key)] = static_cast<std::uint8_t>(i + 1);
    }
    constexpr bool every_key_has_its_slot() const {
        for (std::size_t i = 0; i < N; ++i) {
            if (slots[key_slot(fields[i].key)] != i + 1) return false;
        }
        return true;
    }
};

inline constexpr Table<9> FRAME({{{"v", Want::U32, at<&Frame::v>},
                                  {"anchor", Want::AnchorName, at<&Frame::anchor>},
                                  {"offset", Want::F64, at<&Frame::offset>},
                                  {"scale", Want::F64, at<&Frame::scale>},
                                  {"monitor", Want::OptionalText, at<&Frame::monitor>},
                                  {"hud", Want::OptionalHud, at<&Frame::hud>},
                                  {"night", Want::OptionalNight, at<&Frame::night>},
                                  {"alerts", Want::AlertList, at<&Frame::alerts>},
                                  {"toasts", Want::ToastList, at<&Frame::toasts>}}});
inline constexpr Table<5> HUD({{{"dot", Want::OptionalText, at<&Hud::dot>},
                                {"state", Want::Text, at<&Hud::state>},
                                {"state_color", Want::OptionalText, at<&Hud::state_color>},
                                {"elapsed", Want::Text, at<&Hud::elapsed>},
                                {"presence", Want::OptionalText, at<&Hud::presence>}}});
inline constexpr Table<2> NIGHT({{{"tag", Want::OptionalText, at<&Night::tag>},
                                  {"title", Want::Text, at<&Night::title>}}});
inline constexpr Table<6> ALERT({{{"id", Want::Text, at<&Alert::id>},
                                  {"bar", Want::OptionalText, at<&Alert::bar>},
                                  {"title", Want::Text, at<&Alert::title>},
                                  {"title_color", Want::OptionalText, at<&Alert::title_color>},
                                  {"detail", Want::OptionalText, at<&Alert::detail>},
                                  {"detail_color", Want::OptionalText, at<&Alert::detail_color>}}});
inline constexpr Table<13> TOAST({{{"id", Want::Text, at<&Toast::id>},
                                   {"kind", Want::ToastKindName, at<&Toast::kind>},
                                   {"born", Want::F64, at<&Toast::born>},
                                   {"dies", Want::F64, at<&Toast::dies>},
                                   {"tick", Want::OptionalText, at<&Toast::tick>},
                                   {"title", Want::Text, at<&Toast::title>},
                                   {"title_color", Want::OptionalText, at<&Toast::title_color>},
                                   {"count", Want::OptionalCount, at<&Toast::count>},
                                   {"time", Want::OptionalText, at<&Toast::time>},
                                   {"time_color", Want::OptionalText, at<&Toast::time_color>},
                                   {"detail", Want::OptionalText, at<&Toast::detail>},
                                   {"detail_color", Want::OptionalText, at<&Toast::detail_color>},
                                   {"index", Want::OptionalText, at<&Toast::index>}}});

static_assert(FRAME.every_key_has_its_slot() && HUD.every_key_has_its_slot() &&
              NIGHT.every_key_has_its_slot() && ALERT.every_key_has_its_slot() &&
              TOAST.every_key_has_its_slot());

struct View {
    const Field* fields;
    const std::uint8_t* slots;
    int count;
};

template <std::size_t N>
constexpr View view_of(const Table<N>& table) {
    return {table.fields.data(), table.slots.data(), static_cast<int>(N)};
}

inline constexpr std::array<View, 5> VIEWS = {view_of(FRAME), view_of(HUD), view_of(NIGHT), view_of(ALERT),
                                              view_of(TOAST)};

inline const View& view(RecordKind record) {
    return VIEWS[static_cast<std::size_t>(record)];
}

template <class Word>
Word load(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Equal bytes, for two texts of the same length, with loads that stay inside both texts.
inline bool same_bytes(const char* a, const char* b, std::size_t n) {
    if (n >= 8) {
        return load<std::uint64_t>(a) == load<std::uint64_t>(b) &&
               load<std::uint64_t>(a + n - 8) == load<std::uint64_t>(b + n - 8) &&
               (n <= 16 || std::memcmp(a + 8, b + 8, n - 16) == 0);
    }
    if (n >= 4) {
        return load<std::uint32_t>(a) == load<std::uint32_t>(b) &&
               load<std::uint32_t>(a + n - 4) == load<std::uint32_t>(b + n - 4);
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

}  // namespace record_fields

inline int field_count(RecordKind record) {
    return record_fields::view(record).count;
}

// The index of the field with exactly this key (after escapes were decoded), or NO_FIELD.
inline int field_index(RecordKind record, std::string_view key) {
    if (key.empty()) return NO_FIELD;
    const record_fields::View& v = record_fields::view(record);
    const int slot = v.slots[record_fields::key_slot(key)];
    if (slot == 0) return NO_FIELD;
    const std::string_view candidate = v.fields[slot - 1].key;
    if (candidate.size() != key.size() ||
        !record_fields::same_bytes(candidate.data(), key.data(), key.size())) {
        return NO_FIELD;
    }
    return slot - 1;
}

// The field `index` of `record_object`, which points at a record of kind `record`; Surplus past the last.
inline Target field_target(RecordKind record, void* record_object, int index) {
    const record_fields::View& v = record_fields::view(record);
    if (index < 0 || index >= v.count) return {Want::Surplus, nullptr};
    const record_fields::Field& field = v.fields[index];
    return {field.want, field.address(record_object)};
}

}  // namespace tolmin
