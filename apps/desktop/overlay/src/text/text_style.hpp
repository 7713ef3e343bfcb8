#pragma once
// The text styles of the whole program. The first five are measured by the layout; all are drawn.

#include <cstdint>
#include <string_view>

namespace tolmin {

struct TextSpec {
    double size = 0;      // font size in device-independent pixels at scale 1
    double tracking = 0;  // extra space after each character, as a fraction of the size
    std::uint16_t weight = 400;
    bool mono = false;  // false: "Barlow Condensed"; true: "JetBrains Mono"

    friend bool operator==(const TextSpec&, const TextSpec&) = default;
};

inline constexpr std::string_view FAMILY_CONDENSED = "Barlow Condensed";
inline constexpr std::string_view FAMILY_MONO = "JetBrains Mono";

inline constexpr TextSpec HUD_STATE{22, 0.08, 700, false};
inline constexpr TextSpec HUD_ELAPSED{26, 0, 500, true};
inline constexpr TextSpec HUD_PRESENCE{18, 0, 400, true};
inline constexpr TextSpec NIGHT_TITLE{20, 0, 700, false};
inline constexpr TextSpec NIGHT_TAG{14, 0.14, 400, true};
inline constexpr TextSpec ALERT_TITLE{24, 0, 700, false};
inline constexpr TextSpec ALERT_DETAIL{15, 0, 400, true};
inline constexpr TextSpec TOAST_TITLE{28, 0, 700, false};
inline constexpr TextSpec CALLER_TITLE{28, 0.04, 700, false};
inline constexpr TextSpec TOAST_COUNT{24, 0, 700, true};
inline constexpr TextSpec TOAST_TIME{20, 0, 400, true};
inline constexpr TextSpec TOAST_TIME_ALONE{24, 0, 400, true};
inline constexpr TextSpec TOAST_DETAIL{16, 0, 400, true};
inline constexpr TextSpec TOAST_INDEX{34, 0, 700, true};

inline constexpr std::string_view family_of(const TextSpec& spec) {
    return spec.mono ? FAMILY_MONO : FAMILY_CONDENSED;
}

// The style's name ("HUD_STATE", ...), or "" for a spec that is not one of the fourteen.
std::string_view style_name(const TextSpec& spec);

}  // namespace tolmin
