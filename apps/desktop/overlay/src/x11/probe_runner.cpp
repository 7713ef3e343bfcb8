// Probe mode on X11: which monitors there are and whether the overlay's own faces load, as one line of JSON.
// X11 has no capture exclusion, so the report says false (and a warning says why).

#include <string>
#include <vector>

#include "linux/mode_bodies.hpp"
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
    return desktop::write_probe("x11", false, monitors, fonts, out, err);
}

}  // namespace tolmin::x11
