#include "linux/backend_choice.hpp"

#include <cstdlib>
#include <string>

#include "cli/command_line.hpp"
#include "wayland/modes.hpp"
#include "x11/modes.hpp"

namespace tolmin::desktop {
namespace {

enum class Backend { Automatic, Wayland, X11 };

Result<Backend> requested_backend() {
    const char* value = std::getenv(std::string(BACKEND_VARIABLE).c_str());
    const std::string_view wanted = value == nullptr ? "" : value;
    if (wanted.empty()) return Backend::Automatic;
    if (wanted == "wayland") return Backend::Wayland;
    if (wanted == "x11") return Backend::X11;
    return Error{"unknown " + std::string(BACKEND_VARIABLE) + " " + quote_argument(wanted) +
                 ", expected wayland or x11"};
}

bool wayland_named() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name != nullptr && *name != '\0';
}

// Runs `wayland` with a connection or `x11`, as the environment asks.
template <class OnWayland, class OnX11>
std::uint32_t choose(Output& err, OnWayland on_wayland, OnX11 on_x11) {
    const Result<Backend> backend = requested_backend();
    if (!backend) {
        write_diagnostic(err, backend.error().text);
        return 1;
    }
    if (backend.value() == Backend::X11 || (backend.value() == Backend::Automatic && !wayland_named()))
        return on_x11();
    Result<wayland::DisplayPtr> display = wayland::connect();
    if (display) return on_wayland(std::move(display).value());
    if (backend.value() == Backend::Automatic) return on_x11();
    write_diagnostic(err, "cannot make a window: " + display.error().text);
    return 1;
}

}  // namespace

std::uint32_t run_overlay_mode(const std::optional<std::filesystem::path>& fonts,
                               const std::shared_ptr<Output>& err) {
    return choose(
        *err,
        [&](wayland::DisplayPtr display) { return wayland::run_overlay(std::move(display), fonts, err); },
        [&] { return x11::run_overlay(fonts, err); });
}

std::uint32_t run_probe_mode(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err) {
    return choose(
        err,
        [&](wayland::DisplayPtr display) { return wayland::run_probe(std::move(display), fonts, out, err); },
        [&] { return x11::run_probe(fonts, out, err); });
}

}  // namespace tolmin::desktop
