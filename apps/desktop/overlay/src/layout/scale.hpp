#pragma once
// The scale rule and the conversions of design lengths to pixels.

#include <cstdint>

#include "layout/monitor.hpp"

namespace tolmin {

// round half away from zero, converted to i32 with saturation (NaN gives 0).
std::int32_t saturate_round(double value);
// ceiling, converted to i32 with saturation (NaN gives 0).
std::int32_t saturate_ceil(double value);
// A sum or difference of pixel lengths, computed in 64 bits, back to i32 with saturation.
std::int32_t saturate_i32(std::int64_t value);

// px(v): a design length at the given scale in whole pixels.
inline std::int32_t px(double value, double scale) {
    return saturate_round(value * scale);
}
// ceilpx(v): a length already in pixels, rounded up.
inline std::int32_t ceilpx(double value) {
    return saturate_ceil(value);
}

// The automatic scale from the monitor's height in device-independent pixels (quarter steps, 1..2) times the
// host's scale (which acts as 1 unless finite and positive).
double overlay_scale(double height_dip, double user_scale);

// The final scale for a Frame on a monitor: the height in device-independent pixels, overlay_scale, then the
// monitor's DPI factor.
double frame_scale(const Monitor& monitor, double user_scale);

}  // namespace tolmin
