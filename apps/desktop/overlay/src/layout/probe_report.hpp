#pragma once
// The probe report: one line of compact JSON describing the display system, byte for byte.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.hpp"
#include "layout/monitor.hpp"

namespace tolmin {

struct ProbeMonitor {
    std::optional<std::string> name;
    std::int32_t width = 0;  // device-independent pixels
    std::int32_t height = 0;
    std::int32_t scale_factor = 1;
    bool primary = false;
};

struct ProbeReport {
    std::string backend = "win32";  // the window system the overlay draws on: "win32", "x11"
    bool layer_shell = false;       // whether it draws on a compositor's layer-shell surface
    bool exclude_from_capture = false;
    std::vector<ProbeMonitor> monitors;
};

// One ProbeMonitor per monitor, the one Select picks without a name marked primary.
ProbeReport make_probe_report(bool exclude_from_capture, const std::vector<Monitor>& monitors);

// The report as compact JSON, without the line feed.
Result<std::string> write_probe_report(const ProbeReport& report);

}  // namespace tolmin
