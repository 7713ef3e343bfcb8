#pragma once
// Colour texts ("#RRGGBB") to channels, with a fallback per field.

#include <optional>
#include <string>

namespace tolmin {

struct Rgb {
    double r = 0, g = 0, b = 0;  // each 0..1, a byte divided by 255

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb rgb_bytes(int r, int g, int b) {
    return Rgb{r / 255.0, g / 255.0, b / 255.0};
}

// The palette.
inline constexpr Rgb PANEL = rgb_bytes(13, 13, 17);
inline constexpr Rgb EDGE = rgb_bytes(38, 38, 46);
inline constexpr Rgb SIGNAL = rgb_bytes(255, 46, 85);
inline constexpr Rgb BRIGHT = rgb_bytes(242, 242, 245);
inline constexpr Rgb SOFT = rgb_bytes(201, 201, 210);
inline constexpr Rgb DIM = rgb_bytes(139, 139, 150);
inline constexpr Rgb MUTED = rgb_bytes(92, 92, 104);
inline constexpr Rgb LIME = rgb_bytes(200, 255, 0);

// The fallback colour of each colour field of the render model.
inline constexpr Rgb HUD_DOT_FALLBACK = SIGNAL;
inline constexpr Rgb HUD_STATE_COLOR_FALLBACK = SIGNAL;
inline constexpr Rgb ALERT_BAR_FALLBACK = SIGNAL;
inline constexpr Rgb ALERT_TITLE_COLOR_FALLBACK = BRIGHT;
inline constexpr Rgb ALERT_DETAIL_COLOR_FALLBACK = SOFT;
inline constexpr Rgb TOAST_TICK_FALLBACK = DIM;
inline constexpr Rgb TOAST_TITLE_COLOR_FALLBACK = BRIGHT;
inline constexpr Rgb TOAST_TIME_COLOR_FALLBACK = LIME;
inline constexpr Rgb TOAST_DETAIL_COLOR_FALLBACK = DIM;

// The colour that a field's text gives, or `fallback` for none or anything that is not a colour text.
Rgb parse_color(const std::optional<std::string>& text, const Rgb& fallback);

}  // namespace tolmin
