// Overlay mode on X11: the connection and the window, then the Linux overlay's run on them until standard
// input ends.

#include <memory>
#include <string>

#include "linux/mode_bodies.hpp"
#include "x11/capture.hpp"
#include "x11/modes.hpp"
#include "x11/x11_system.hpp"

namespace tolmin::x11 {

std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts,
                          const std::shared_ptr<Output>& shared_err) {
    Output& err = *shared_err;
    Result<std::unique_ptr<Connection>> connection = Connection::open();
    if (!connection) {
        write_diagnostic(err, "cannot make a window: " + connection.error().text);
        return 1;
    }
    Result<std::unique_ptr<OverlayWindow>> window = OverlayWindow::create(*connection.value());
    if (!window) {
        write_diagnostic(err, "cannot make a window: " + window.error().text);
        return 1;
    }
    write_diagnostic(err, CAPTURE_WARNING);
    X11System system(*connection.value(), std::move(window).value(), err);
    return desktop::run_overlay_on(system, fonts, shared_err);
}

}  // namespace tolmin::x11
