#include "windows/overlay_window.hpp"

#include "layout/window_steps.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win {

namespace {

static_assert(sizeof(WNDCLASSEXW) == 80, "the window class record is 80 bytes on 64-bit Windows");

constexpr UINT MOVE_FLAGS = SWP_NOACTIVATE;                             // 0x0010
constexpr UINT RAISE_FLAGS = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;  // 0x0013
static_assert(MOVE_FLAGS == 0x0010 && RAISE_FLAGS == 0x0013);

constexpr std::string_view CAPTURE_WARNING =
    "this Windows cannot keep the overlay out of a capture (needs 10 2004); it will flash rather than hold a "
    "HUD";

// The window has no behaviour of its own.
LRESULT CALLBACK overlay_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

void make_process_dpi_aware() {
    (void)SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

Result<OverlayWindow> create_window(Output& err) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (instance == nullptr) return last_error();

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(WNDCLASSEXW);
    window_class.style = 0;
    window_class.lpfnWndProc = overlay_window_proc;
    window_class.hInstance = instance;
    window_class.lpszClassName = OVERLAY_CLASS_NAME;
    // A failed registration shows up as a failed creation below.
    (void)RegisterClassExW(&window_class);

    instance = GetModuleHandleW(nullptr);
    if (instance == nullptr) return last_error();

    HWND handle = CreateWindowExW(OVERLAY_EX_STYLE, OVERLAY_CLASS_NAME, OVERLAY_TITLE, OVERLAY_STYLE, 0, 0, 1,
                                  1, nullptr, nullptr, instance, nullptr);
    if (handle == nullptr) return last_error();

    OverlayWindow window;
    window.handle = handle;
    window.capture_excluded = SetWindowDisplayAffinity(handle, OVERLAY_AFFINITY) != FALSE;
    if (!window.capture_excluded) write_diagnostic(err, CAPTURE_WARNING);
    return window;
}

ScreenPoint place(OverlayWindow& window, const Monitor& monitor, const Layout& layout) {
    const Placement target = place_window(monitor, layout);
    const PlaceSteps steps = place_steps(window.placement, window.shown, target);
    if (steps.move) {
        (void)SetWindowPos(window.handle, HWND_TOPMOST, target.x, target.y, target.width, target.height,
                           MOVE_FLAGS);
    }
    if (steps.show) (void)ShowWindow(window.handle, SW_SHOWNA);
    return {target.x, target.y};
}

void hide(OverlayWindow& window) {
    if (hide_steps(window.placement, window.shown)) (void)ShowWindow(window.handle, SW_HIDE);
}

void keep_on_top(OverlayWindow& window) {
    (void)SetWindowPos(window.handle, HWND_TOPMOST, 0, 0, 0, 0, RAISE_FLAGS);
}

}  // namespace tolmin::win
