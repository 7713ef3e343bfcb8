#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/parse_frame.hpp"
#include "text/unicode.hpp"

namespace tolmin {

namespace {

constexpr std::string_view MULTIPLICATION_SIGN = "\xC3\x97";  // U+00D7

// Rounded half away from zero, saturated to the signed 64-bit range; NaN gives 0.
std::int64_t rounded_count(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::round(value);
    // 2^63 is exactly representable; every double below it converts without overflow.
    constexpr double LIMIT = 9223372036854775808.0;
    if (rounded >= LIMIT) return std::numeric_limits<std::int64_t>::max();
    if (rounded < -LIMIT) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

}  // namespace

std::string count_label(const Count& count) {
    if (const std::string* text = std::get_if<std::string>(&count)) return *text;
    std::string label(MULTIPLICATION_SIGN);
    label.append(std::to_string(rounded_count(std::get<double>(count))));
    return label;
}

bool has_detail(const Toast& toast) {
    return toast.detail && !trim_white_space(*toast.detail).empty();
}

}  // namespace tolmin
