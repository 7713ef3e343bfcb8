// The two modes on Wayland. No Wayland protocol lets a client ask to be left out of screen captures: both
// say so once.

#include "wayland/modes.hpp"

#include <string_view>
#include <vector>

#include "linux/mode_bodies.hpp"
#include "wayland/display.hpp"
#include "wayland/wayland_system.hpp"

namespace tolmin::wayland {
namespace {

constexpr std::string_view CAPTURE_WARNING =
    "Wayland cannot keep the overlay out of a capture; it will show in screen captures";

}  // namespace

void DisplayCloser::operator()(Display* display) const {
    delete display;
}

Result<DisplayPtr> connect() {
    Result<std::unique_ptr<Display>> display = Display::connect();
    if (!display) return display.error();
    return DisplayPtr(std::move(display).value().release());
}

std::uint32_t run_overlay(DisplayPtr display, const std::optional<std::filesystem::path>& fonts,
                          const std::shared_ptr<Output>& err) {
    write_diagnostic(*err, CAPTURE_WARNING);
    WaylandSystem system(*display);
    return desktop::run_overlay_on(system, fonts, err);
}

std::uint32_t run_probe(DisplayPtr display, const std::optional<std::filesystem::path>& fonts, Output& out,
                        Output& err) {
    write_diagnostic(err, CAPTURE_WARNING);
    std::vector<Monitor> monitors;
    for (const auto& output : display->outputs())
        if (output->ready()) monitors.push_back(output->monitor());
    return desktop::write_probe("wayland", true, monitors, fonts, out, err);
}

}  // namespace tolmin::wayland
