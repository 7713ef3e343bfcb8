#pragma once
// The monitors of the desktop as the system enumerates them.

#include <vector>

#include "layout/monitor.hpp"

namespace tolmin::win {

// Every monitor whose information can be read, in the system's order; each with its effective DPI (96 when
// that cannot be read). Possibly empty.
std::vector<Monitor> enumerate_monitors();

}  // namespace tolmin::win
