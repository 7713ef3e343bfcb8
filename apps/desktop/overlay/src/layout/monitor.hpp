#pragma once
// The monitors of the desktop as the rest of the program needs them, and the choice of one for a Frame.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolmin {

struct Monitor {
    std::optional<std::string> name;  // the display device name; absent when the system reports none
    std::int32_t x = 0;               // full rectangle, physical pixels, virtual-screen coordinates
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t dpi = 96;  // effective horizontal DPI; 96 when it cannot be read
    bool primary = false;
};

// The monitor named (byte for byte), else the first primary, else the first; none for an empty list.
std::optional<std::size_t> select_monitor(const std::vector<Monitor>& monitors,
                                          const std::optional<std::string>& requested_name);

}  // namespace tolmin
