#pragma once
// Where the overlay window stands: the anchored corner of the monitor, the layout's margins and size.

#include <cstdint>

#include "layout/layout.hpp"
#include "layout/monitor.hpp"

namespace tolmin {

struct Placement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// The window's rectangle for a layout on a monitor (physical pixels, virtual-screen coordinates).
Placement place_window(const Monitor& monitor, const Layout& layout);

}  // namespace tolmin
