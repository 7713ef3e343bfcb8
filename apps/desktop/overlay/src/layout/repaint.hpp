#pragma once
// When the picture changes next without new input: the toast timing scan and the timer wait it arms.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/frame.hpp"

namespace tolmin {

inline constexpr double FADE_IN_MS = 120.0;
inline constexpr double FADE_OUT_MS = 180.0;
inline constexpr std::uint32_t ANIMATION_PERIOD_MS = 16;
inline constexpr std::uint32_t LONGEST_WAIT_MS = 60000;
inline constexpr std::uint32_t SHORTEST_WAIT_MS = 1;

struct NextRepaint {
    enum class Kind { Now, At, Never };
    Kind kind = Kind::Never;
    double at = 0;  // for At: milliseconds since the Unix epoch

    friend bool operator==(const NextRepaint&, const NextRepaint&) = default;
};

NextRepaint next_repaint(const std::vector<Toast>& toasts, double now_ms);

// The timer to arm: 16 ms for Now, ceiling(at - now) clamped to 1..60000 for At, none for Never.
std::optional<std::uint32_t> repaint_wait_ms(const NextRepaint& next, double now_ms);

// The wall clock in milliseconds since 1970-01-01 00:00 UTC; 0 before 1970.
double now_ms();

}  // namespace tolmin
