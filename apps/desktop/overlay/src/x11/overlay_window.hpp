#pragma once
// The overlay's one X window: 32-bit ARGB visual with its own colormap, override-redirect (no decoration, no
// placement by a window manager, no taskbar or pager entry), never focused, marked as a notification that
// stays above on every desktop, WM_CLASS "tolmin-overlay", and an empty input shape so every click goes to
// the window below. Created unmapped; placed, shown and hidden by the frame application.

#include <xcb/xcb.h>

#include <memory>
#include <optional>

#include "base/output.hpp"
#include "base/result.hpp"
#include "layout/placement.hpp"
#include "x11/connection.hpp"

namespace tolmin::x11 {

inline constexpr std::string_view WINDOW_CLASS = "tolmin-overlay";
inline constexpr std::string_view WINDOW_TITLE = "Tolmin overlay";

class OverlayWindow {
public:
    // Fails when the server offers no 32-bit TrueColor visual with 8-bit channels, or refuses the window.
    static Result<std::unique_ptr<OverlayWindow>> create(const Connection& connection);
    ~OverlayWindow();
    OverlayWindow(const OverlayWindow&) = delete;
    OverlayWindow& operator=(const OverlayWindow&) = delete;

    xcb_window_t id() const { return window_; }
    bool shown() const { return shown_; }
    // Moves and sizes the window when the rectangle changed, and maps it when it is not shown.
    void place(const Placement& placement);
    // Unmaps it if shown and forgets the rectangle, so the next place moves it again.
    void hide();
    // Restacks it above every sibling, without moving it.
    void raise();

private:
    OverlayWindow(const Connection& connection, xcb_window_t window, xcb_colormap_t colormap)
        : connection_(connection), window_(window), colormap_(colormap) {}

    const Connection& connection_;
    xcb_window_t window_;
    xcb_colormap_t colormap_;
    std::optional<Placement> placement_;
    bool shown_ = false;
};

}  // namespace tolmin::x11
