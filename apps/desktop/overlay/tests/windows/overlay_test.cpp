// The Windows side of the overlay on the real window and Direct2D/DirectWrite objects (run under Wine):
// applying again when the displays change, and the text formats and layouts kept across repaints.

#include <gtest/gtest.h>

#include "windows/message_loop.hpp"
#include "windows/overlay_run.hpp"

namespace tolmin::win::testing {
namespace {

RECT rect_of(const OverlayRun& run) {
    RECT r{};
    GetWindowRect(run.overlay.window.handle, &r);
    return r;
}

// Pumps the thread's queue through the overlay's own message handling until it is empty.
void pump(OverlayRun& run) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        handle_message(run.overlay, message, run.reports);
}

TEST(DisplayChange, AppliesTheCurrentFrameAgainWithoutANewOne) {
    RECT suggested{0, 0, 100, 100};  // WM_DPICHANGED carries the system's suggested rectangle
    struct Case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        bool applies;
    };
    const Case cases[] = {
        {WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080), true},
        {WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested), true},
        {WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, true},
        {WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        OverlayRun run;
        ASSERT_EQ(run.apply(), "");
        const RECT placed = rect_of(run);
        // Moved behind the overlay's back, as the system does with windows on a monitor that is gone; then
        // the message, sent as the system sends it.
        SetWindowPos(run.overlay.window.handle, nullptr, placed.left - 300, placed.top + 200, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(run.overlay.window.handle, c.message, c.wparam, c.lparam);
        pump(run);
        EXPECT_EQ(rect_of(run).left == placed.left && rect_of(run).top == placed.top, c.applies);
        EXPECT_EQ(run.err.all(), "");
    }
}

TEST(TextFormats, AreKeptAcrossRepaintsAndMadeAgainAtAnotherScale) {
    OverlayRun run(FADING_LINE);
    const TextFormats& text = run.overlay.graphics->text();
    ASSERT_EQ(run.apply(20), "");  // the toast is drawn from its first tick on
    const TextObjectCounts first = text.counts();
    EXPECT_GT(first.formats, 0u);

    // A tick of the fade repaints the toast from the text layouts of the first paint.
    const int end_draws = run.calls->end_draws;
    ASSERT_EQ(run.apply(36), "");
    EXPECT_EQ(run.calls->end_draws, end_draws + 1);
    EXPECT_EQ(text.counts().formats, first.formats);
    EXPECT_EQ(text.counts().layouts, first.layouts);

    run.overlay.current = frame_of(R"({"scale":1.5,)" + FADING_LINE.substr(1));
    ASSERT_EQ(run.apply(52), "");
    EXPECT_EQ(text.counts().formats, 2 * first.formats);
}

}  // namespace
}  // namespace tolmin::win::testing
