#pragma once
// Which window system the Linux program draws on. Wayland when WAYLAND_DISPLAY names a compositor that offers
// the layer shell; otherwise X11 (GNOME among them, through Xwayland). TOLMIN_OVERLAY_BACKEND=wayland or x11
// forces one: a forced backend that cannot start is a failure of the mode, not a reason to try the other.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "base/output.hpp"

namespace tolmin::desktop {

inline constexpr std::string_view BACKEND_VARIABLE = "TOLMIN_OVERLAY_BACKEND";

// The overlay shares `err` with its reader thread, which may outlive the mode.
std::uint32_t run_overlay_mode(const std::optional<std::filesystem::path>& fonts,
                               const std::shared_ptr<Output>& err);
std::uint32_t run_probe_mode(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err);

}  // namespace tolmin::desktop
