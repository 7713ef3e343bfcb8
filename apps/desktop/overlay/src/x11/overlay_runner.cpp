// Overlay mode on X11: the connection and the window, the fonts, the detached reader thread and the loop that
// applies each Frame, each repaint tick and each display change until standard input ends.

#include <memory>
#include <string>

#include "cairo/font_files.hpp"
#include "cairo/pango_text.hpp"
#include "linux/frame_channel.hpp"
#include "linux/overlay_loop.hpp"
#include "x11/capture.hpp"
#include "x11/modes.hpp"
#include "x11/x11_system.hpp"

namespace tolmin::x11 {

std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts, Output& err) {
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

    // The faces must be known to fontconfig before Pango lays out the first text.
    cairo::load_font_directory(fonts, [&err](std::string_view text) { write_diagnostic(err, text); });
    cairo::PangoTextService text;

    Result<desktop::WakeUp> wake = desktop::WakeUp::make();
    Result<desktop::RepaintTimer> timer = desktop::RepaintTimer::make();
    if (!wake || !timer) {
        write_diagnostic(err, "cannot make a window: " + (wake ? timer.error() : wake.error()).text);
        return 1;
    }
    auto channel = std::make_shared<desktop::FrameChannel>(std::move(wake).value());
    if (Result<void> started = desktop::start_reader(channel); !started) {
        write_diagnostic(err, "failed to spawn thread: " + started.error().text);
        return 1;
    }
    return desktop::run_overlay_loop(system, text, *channel, timer.value(), err);
}

}  // namespace tolmin::x11
