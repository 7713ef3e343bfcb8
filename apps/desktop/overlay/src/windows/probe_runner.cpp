// Probe mode: learn whether the overlay window can be kept out of captures, which monitors there are and
// whether the overlay's own faces load, and print that as one line of JSON.

#include <windows.h>

#include <string>
#include <vector>

#include "layout/monitor.hpp"
#include "layout/probe_report.hpp"
#include "windows/font_directory.hpp"
#include "windows/graphics.hpp"
#include "windows/modes.hpp"
#include "windows/monitors.hpp"
#include "windows/overlay_window.hpp"

namespace tolmin::win {

std::uint32_t run_probe(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err) {
    make_process_dpi_aware();

    // The window is made only to learn whether capture exclusion is accepted; it is never shown.
    Result<OverlayWindow> window = create_window(err);
    if (!window) {
        write_diagnostic(err, "cannot make a window: " + window.error().text);
        return 1;
    }

    const std::vector<Monitor> monitors = enumerate_monitors();

    // Without a drawing surface there is nothing to ask about faces; the report goes out all the same.
    if (Result<std::unique_ptr<Graphics>> graphics = create_graphics(fonts, err)) {
        if (!faces_present(*graphics.value())) {
            write_diagnostic(err, "the overlay's own faces did not load; text will fall back");
        }
    }

    const Result<std::string> report =
        write_probe_report(make_probe_report(window->capture_excluded, monitors));
    if (!report) {
        write_diagnostic(err, "cannot describe this display: " + report.error().text);
        return 1;
    }
    out.write(report.value() + "\n");
    return 0;
}

}  // namespace tolmin::win
