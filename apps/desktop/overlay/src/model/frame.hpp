#pragma once
// The render model: one Frame per input line. Every field has its default here, so a default-constructed
// record is the record with every key absent.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tolmin {

inline constexpr std::uint32_t MODEL_VERSION = 1;

// Odd values are right corners, values below 2 are top corners.
enum class Anchor : std::uint8_t { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

inline bool is_right(Anchor a) {
    return (static_cast<int>(a) & 1) != 0;
}
inline bool is_top(Anchor a) {
    return static_cast<int>(a) < 2;
}

enum class ToastKind : std::uint8_t { Marker = 0, Caller = 1, Same = 2, Unrecognized = 3 };

// A toast's count: a text (from a JSON string) or a number (from any JSON number).
using Count = std::variant<std::string, double>;

struct Hud {
    std::optional<std::string> dot;
    std::string state;
    std::optional<std::string> state_color;
    std::string elapsed;
    std::optional<std::string> presence;
};

struct Night {
    std::optional<std::string> tag;
    std::string title;
};

struct Alert {
    std::string id;
    std::optional<std::string> bar;
    std::string title;
    std::optional<std::string> title_color;
    std::optional<std::string> detail;
    std::optional<std::string> detail_color;
};

struct Toast {
    std::string id;
    ToastKind kind = ToastKind::Marker;
    double born = 0.0;
    double dies = 0.0;
    std::optional<std::string> tick;
    std::string title;
    std::optional<std::string> title_color;
    std::optional<Count> count;
    std::optional<std::string> time;
    std::optional<std::string> time_color;
    std::optional<std::string> detail;
    std::optional<std::string> detail_color;
    std::optional<std::string> index;
};

struct Frame {
    std::uint32_t v = 1;
    Anchor anchor = Anchor::BottomRight;
    double offset = 24.0;
    double scale = 1.0;
    std::optional<std::string> monitor;
    std::optional<Hud> hud;
    std::optional<Night> night;
    std::vector<Alert> alerts;
    std::vector<Toast> toasts;
};

// The JSON names of the enumerations.
const char* anchor_name(Anchor anchor);       // "top-left" ...
const char* toast_kind_name(ToastKind kind);  // "marker", "caller", "same", "unrecognized"

}  // namespace tolmin
