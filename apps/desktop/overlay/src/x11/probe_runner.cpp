// Probe mode on X11: which monitors there are and whether the overlay's own faces load, as one line of JSON.
// X11 has no capture exclusion, so the report says false (and a warning says why).

#include <string>
#include <vector>

#include "cairo/font_files.hpp"
#include "layout/probe_report.hpp"
#include "x11/capture.hpp"
#include "x11/modes.hpp"
#include "x11/monitors.hpp"

namespace tolmin::x11 {

std::uint32_t run_probe(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err) {
    Result<std::unique_ptr<Connection>> connection = Connection::open();
    if (!connection) {
        write_diagnostic(err, "cannot make a window: " + connection.error().text);
        return 1;
    }
    write_diagnostic(err, CAPTURE_WARNING);
    const std::vector<Monitor> monitors = MonitorSource(*connection.value()).read();

    cairo::load_font_directory(fonts, [&err](std::string_view text) { write_diagnostic(err, text); });
    if (!cairo::faces_present())
        write_diagnostic(err, "the overlay's own faces did not load; text will fall back");

    ProbeReport report = make_probe_report(false, monitors);
    report.backend = "x11";
    const Result<std::string> line = write_probe_report(report);
    if (!line) {
        write_diagnostic(err, "cannot describe this display: " + line.error().text);
        return 1;
    }
    out.write(line.value() + "\n");
    return 0;
}

}  // namespace tolmin::x11
