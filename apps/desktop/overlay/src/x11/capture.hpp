#pragma once
// X11 lets no client keep a window out of screen captures: both modes say so once.

#include <string_view>

namespace tolmin::x11 {

inline constexpr std::string_view CAPTURE_WARNING =
    "X11 cannot keep the overlay out of a capture; it will show in screen captures";

}  // namespace tolmin::x11
