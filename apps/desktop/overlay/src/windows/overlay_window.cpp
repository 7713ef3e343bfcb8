#include "windows/overlay_window.hpp"

#include <utility>

#include "layout/window_steps.hpp"
#include "windows/overlay_messages.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win {

namespace {

constexpr UINT MOVE_FLAGS = SWP_NOACTIVATE;
constexpr UINT RAISE_FLAGS = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

constexpr std::string_view CAPTURE_WARNING =
    "this Windows cannot keep the overlay out of a capture (needs 10 2004); it will flash rather than hold a "
    "HUD";

// Sent when Explorer starts its taskbar (again), which puts its own windows on top of the topmost band. The
// window procedure is called by the system with nothing of the program's, so the message's number, the same
// for the whole session, is kept here: the program's one piece of process-wide state.
UINT taskbar_created_message() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

bool displays_changed(UINT message, WPARAM wparam) {
    return message == WM_DISPLAYCHANGE || message == WM_DPICHANGED ||
           (message == WM_SETTINGCHANGE && wparam == SPI_SETWORKAREA);
}

// The window draws nothing of its own. A display change arrives here, often sent from inside a call the
// frame application makes (a move can change the window's DPI), so it is only posted on to the loop, which
// applies the Frame again once the current application is over.
LRESULT CALLBACK overlay_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (displays_changed(message, wparam)) {
        (void)PostMessageW(hwnd, WM_DISPLAY_CHANGED, 0, 0);
    } else if (message != 0 && message == taskbar_created_message()) {
        keep_on_top(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

OverlayWindow::OverlayWindow(OverlayWindow&& other) noexcept
    : handle(std::exchange(other.handle, nullptr)),
      placement(other.placement),
      capture_excluded(other.capture_excluded),
      shown(other.shown) {}

OverlayWindow& OverlayWindow::operator=(OverlayWindow&& other) noexcept {
    if (this != &other) {
        std::swap(handle, other.handle);  // the other one destroys what this one held
        placement = other.placement;
        capture_excluded = other.capture_excluded;
        shown = other.shown;
    }
    return *this;
}

OverlayWindow::~OverlayWindow() {
    if (handle == nullptr) return;
    (void)DestroyWindow(handle);
    (void)UnregisterClassW(OVERLAY_CLASS_NAME, GetModuleHandleW(nullptr));
}

// The manifest already makes the process aware before any code runs. The call is looked up rather than
// imported: Windows 10 before 1703 has no SetProcessDpiAwarenessContext, and a program that imports it does
// not start there at all.
void make_process_dpi_aware() {
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return;
    const auto set_context = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set_context != nullptr) (void)set_context(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
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
    window.capture_excluded = SetWindowDisplayAffinity(handle, WDA_EXCLUDEFROMCAPTURE) != FALSE;
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

void keep_on_top(HWND window) {
    (void)SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, RAISE_FLAGS);
}

}  // namespace tolmin::win
