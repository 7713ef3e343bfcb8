#pragma once
// What the overlay and the probe do the same way on every Linux window system, once a backend has connected:
// the fonts, the text service, the reader thread and the loop; the probe's faces check and its line.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/output.hpp"
#include "layout/monitor.hpp"
#include "linux/window_system.hpp"

namespace tolmin::desktop {

// Overlay mode on `system` until standard input ends: 0, or 1 (after one diagnostic) when it cannot run on.
// The reader thread writes its diagnostics to `err` too.
std::uint32_t run_overlay_on(WindowSystem& system, const std::optional<std::filesystem::path>& fonts,
                             const std::shared_ptr<Output>& err);

// Probe mode's report of `monitors` on `backend`, after the faces check: 0, or 1 when it cannot be written.
std::uint32_t write_probe(std::string_view backend, bool layer_shell, const std::vector<Monitor>& monitors,
                          const std::optional<std::filesystem::path>& fonts, Output& out, Output& err);

}  // namespace tolmin::desktop
