#pragma once
// The overlay's one window: layered, transparent to the mouse, topmost, never activated, no taskbar button,
// kept out of screen captures where the system allows it. Created hidden; placed, shown and hidden by the
// frame application.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/output.hpp"
#include "base/result.hpp"
#include "layout/layout.hpp"
#include "layout/monitor.hpp"
#include "layout/placement.hpp"

namespace tolmin::win {

inline constexpr wchar_t OVERLAY_CLASS_NAME[] = L"TolminOverlay";
inline constexpr wchar_t OVERLAY_TITLE[] = L"Tolmin overlay";
inline constexpr DWORD OVERLAY_EX_STYLE =
    WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;
inline constexpr DWORD OVERLAY_STYLE = WS_POPUP;  // not visible at creation

// Owns the window: dropping it destroys the window and unregisters its class.
struct OverlayWindow {
    HWND handle = nullptr;
    std::optional<Placement> placement;  // last rectangle given to the system; cleared by hide
    bool capture_excluded = false;
    bool shown = false;

    OverlayWindow() = default;
    OverlayWindow(OverlayWindow&& other) noexcept;
    OverlayWindow& operator=(OverlayWindow&& other) noexcept;
    OverlayWindow(const OverlayWindow&) = delete;
    OverlayWindow& operator=(const OverlayWindow&) = delete;
    ~OverlayWindow();
};

// The window's top-left corner on the virtual screen.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Per-monitor DPI awareness (version 2) for the process, so that monitor rectangles and window positions are
// physical pixels. A refusal is ignored, and so is a system without the call (Windows 10 before 1703).
void make_process_dpi_aware();

// Registers the class and creates the hidden window; asks for capture exclusion and warns on `err` when the
// system refuses it. The window procedure posts WM_DISPLAY_CHANGED to the window when a display, its DPI or
// the work area changed, and puts the window back on top when Explorer (and its taskbar) restarted.
Result<OverlayWindow> create_window(Output& err);

// Moves the window to the layout's corner of the monitor (only when the rectangle changed) and shows it
// without activating it.
ScreenPoint place(OverlayWindow& window, const Monitor& monitor, const Layout& layout);

// Hides the window if shown and forgets the placement, so the next place moves it again.
void hide(OverlayWindow& window);

// Puts the window back at the top of the topmost band without moving or activating it.
void keep_on_top(HWND window);

}  // namespace tolmin::win
