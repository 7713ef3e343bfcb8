// The overlay window as the system reports it back (under Wine), and the repaint timer around a frame
// application: killed first, armed only while a toast will change, never after a hide.

#include <gtest/gtest.h>

#include <array>

#include "windows/overlay_run.hpp"

namespace tolmin::win::testing {
namespace {

constexpr char CAPTURE_WARNING[] =
    "tolmin-overlay: this Windows cannot keep the overlay out of a capture (needs 10 2004); it will flash "
    "rather than hold a HUD\n";

TEST(OverlayWindow, IsMadeHiddenClickThroughTopmostUnactivatedAndAsksToStayOutOfCaptures) {
    fakes::RecordingOutput err;
    const OverlayWindow window = std::move(create_window(err)).value();
    const HWND handle = window.handle;
    // WS_EX_TOPMOST, WS_EX_TRANSPARENT, WS_EX_TOOLWINDOW, WS_EX_LAYERED, WS_EX_NOACTIVATE.
    EXPECT_EQ(GetWindowLongPtrW(handle, GWL_EXSTYLE), 0x080800A8);
    // WS_POPUP, not visible; the system adds WS_CLIPSIBLINGS (0x04000000) to every top-level window.
    EXPECT_EQ(GetWindowLongPtrW(handle, GWL_STYLE), 0x80000000 | 0x04000000);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(handle, &rect));
    EXPECT_EQ((std::array<LONG, 4>{rect.left, rect.top, rect.right, rect.bottom}),
              (std::array<LONG, 4>{0, 0, 1, 1}));

    // Wine refuses every display affinity and reports none; Windows 10 2004 and later keep
    // WDA_EXCLUDEFROMCAPTURE.
    DWORD affinity = 0xFFFF;
    ASSERT_TRUE(GetWindowDisplayAffinity(handle, &affinity));
    EXPECT_EQ(affinity, window.capture_excluded ? 0x11u : 0u);
    EXPECT_EQ(err.all(), window.capture_excluded ? "" : CAPTURE_WARNING);
}

TEST(OverlayWindow, ReturnsToTheTopmostBandWhenTheTaskbarIsCreated) {
    fakes::RecordingOutput err;
    const OverlayWindow window = std::move(create_window(err)).value();
    const auto topmost = [&] { return (GetWindowLongW(window.handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    SetWindowPos(window.handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(topmost());
    SendMessageW(window.handle, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(topmost());
}

TEST(OverlayWindow, GoesAwayWithItsClassWhenDropped) {
    fakes::RecordingOutput err;
    HWND handle = nullptr;
    {
        const OverlayWindow window = std::move(create_window(err)).value();
        handle = window.handle;
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
    WNDCLASSEXW found{};
    found.cbSize = sizeof found;
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), OVERLAY_CLASS_NAME, &found));
}

// A toast in its fade-in at NOW_MS, on screen for a minute.
const std::string FADING =
    R"({"toasts":[{"id":"t","born":1699999999960,"dies":1700000060000,"title":"Marker"}]})";

struct TimerCase {
    const char* name;
    std::string first;  // applied first
    std::string then;   // then applied in its place; empty: no current Frame
    bool shown, armed;  // the window and the repaint timer afterwards
};

class RepaintTimer : public ::testing::TestWithParam<TimerCase> {};

// KillTimer tells whether the timer was set (and takes it away).
TEST_P(RepaintTimer, IsKilledFirstAndArmedOnlyForAToastThatWillChange) {
    const TimerCase& c = GetParam();
    OverlayRun run(c.first);
    ASSERT_EQ(run.apply(), "");
    run.overlay.current = c.then.empty() ? nullptr : frame_of(c.then);
    ASSERT_EQ(run.apply(), "");
    EXPECT_EQ(IsWindowVisible(run.overlay.window.handle) != FALSE, c.shown);
    EXPECT_EQ(KillTimer(run.overlay.window.handle, REPAINT_TIMER_ID) != FALSE, c.armed);
}

INSTANTIATE_TEST_SUITE_P(
    Apply, RepaintTimer,
    ::testing::Values(TimerCase{"fading_toast", HUD_LINE, FADING, true, true},
                      TimerCase{"hud_alone_after_a_fading_toast", FADING, HUD_LINE, true, false},
                      TimerCase{"nothing_to_show_after_a_fading_toast", FADING, "{}", false, false},
                      TimerCase{"no_frame_after_a_fading_toast", FADING, "", false, false},
                      TimerCase{"dead_toast_after_a_fading_toast", FADING,
                                R"({"toasts":[{"id":"t","born":1,"dies":2,"title":"Gone"}]})", false, false}),
    [](const ::testing::TestParamInfo<TimerCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tolmin::win::testing
