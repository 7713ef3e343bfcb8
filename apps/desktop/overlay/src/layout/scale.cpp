#include "layout/scale.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolmin {

namespace {

constexpr double I32_MIN = static_cast<double>(std::numeric_limits<std::int32_t>::min());
constexpr double I32_MAX = static_cast<double>(std::numeric_limits<std::int32_t>::max());

// `whole` is already an integral value (or NaN, or infinite).
std::int32_t saturate_whole(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= I32_MIN) return std::numeric_limits<std::int32_t>::min();
    if (whole >= I32_MAX) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole);
}

// The monitor's DPI as a factor of 96; a DPI of 0 counts as 96.
double dpi_factor(std::uint32_t dpi) {
    return dpi == 0 ? 1.0 : static_cast<double>(dpi) / 96.0;
}

}  // namespace

std::int32_t saturate_round(double value) {
    return saturate_whole(std::round(value));
}

std::int32_t saturate_ceil(double value) {
    return saturate_whole(std::ceil(value));
}

std::int32_t saturate_i32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

double overlay_scale(double height_dip, double user_scale) {
    double automatic = 1.0;
    if (std::isfinite(height_dip) && height_dip > 0) {
        // Quarter steps of a 1080-pixel-high screen; std::round rounds halves away from zero.
        automatic = std::clamp(std::round(height_dip / 1080.0 * 4.0) * 0.25, 1.0, 2.0);
    }
    const double user = std::isfinite(user_scale) && user_scale > 0 ? user_scale : 1.0;
    return automatic * user;
}

double frame_scale(const Monitor& monitor, double user_scale) {
    const double factor = dpi_factor(monitor.dpi);
    const double height_dip = saturate_round(static_cast<double>(monitor.height) / factor);
    double scale = overlay_scale(height_dip, user_scale);
    if (monitor.dpi != 0) scale *= factor;
    return scale;
}

}  // namespace tolmin
