// The Windows side of the overlay on the real window and Direct2D/DirectWrite objects (run under Wine):
// surviving a lost device, applying again when the displays change, the text formats kept across repaints,
// and the window going away with its class.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>

#include "model/parse_frame.hpp"
#include "unit/input/scripted_source.hpp"
#include "windows/apply.hpp"
#include "windows/message_loop.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win {
namespace {

constexpr double NOW_MS = 1.7e12;
constexpr HRESULT DEVICE_LOST = static_cast<HRESULT>(D2DERR_RECREATE_TARGET);

// How many of the next drawings end with a lost device: each really ends its drawing, then says so.
int lost_drawings = 0;
HRESULT losing_end_draw(ID2D1RenderTarget* target) {
    const HRESULT real = end_draw_of_target(target);
    if (lost_drawings == 0) return real;
    --lost_drawings;
    return DEVICE_LOST;
}

std::unique_ptr<Frame> frame_of(const std::string& line) {
    LineOutcome outcome = parse_frame_line(line);
    return std::make_unique<Frame>(std::move(std::get<Parsed>(outcome).frame));
}

// The overlay's state on a real window, with a Hud of two texts; a warning at creation is not kept.
struct OverlayRun {
    Overlay overlay;
    fakes::RecordingOutput err;

    OverlayRun() {
        fakes::RecordingOutput setup;
        overlay.window = std::move(create_window(setup)).value();
        overlay.graphics = std::move(create_graphics(std::nullopt, setup)).value();
        overlay.graphics->end_draw = losing_end_draw;
        overlay.current = frame_of(R"({"hud":{"state":"LIVE","elapsed":"00:42"}})");
    }
    std::string apply() {
        err.writes.clear();
        apply_at(overlay, NOW_MS, err);
        return err.all();
    }
    RECT rect() const {
        RECT r{};
        GetWindowRect(overlay.window.handle, &r);
        return r;
    }
};

TEST(LostDevice, IsDrawnAgainOnANewRenderTargetAndReportedOnce) {
    struct Case {
        int lost;
        std::string first_apply;  // what the first application reports
    };
    const std::string lost = "tolmin-overlay: the graphics device was lost; drawing again\n";
    const Case cases[] = {
        {1, lost},
        {2, lost + "tolmin-overlay: cannot draw this frame: " + hresult_error(DEVICE_LOST).text + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lost);
        OverlayRun run;
        const ID2D1DCRenderTarget* dead = run.overlay.graphics->target.Get();
        lost_drawings = c.lost;
        EXPECT_EQ(run.apply(), c.first_apply);
        EXPECT_NE(run.overlay.graphics->target.Get(), dead);
        // The overlay lives on: the next application draws without a word.
        EXPECT_EQ(run.apply(), "");
        EXPECT_FALSE(run.overlay.graphics->target_lost);
    }
}

// Pumps the thread's queue through the overlay's own message handling until it is empty.
void pump(OverlayRun& run) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) handle_message(run.overlay, message, run.err);
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
        const RECT placed = run.rect();
        // Moved behind the overlay's back, as the system does with windows on a monitor that is gone; then
        // the message, sent as the system sends it.
        SetWindowPos(run.overlay.window.handle, nullptr, placed.left - 300, placed.top + 200, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(run.overlay.window.handle, c.message, c.wparam, c.lparam);
        pump(run);
        EXPECT_EQ(run.rect().left == placed.left && run.rect().top == placed.top, c.applies);
        EXPECT_EQ(run.err.all(), "");
    }
}

TEST(TextFormats, AreKeptAcrossRepaintsAndMadeAgainAtAnotherScale) {
    OverlayRun run;
    const TextFormats& text = run.overlay.graphics->text;
    ASSERT_EQ(run.apply(), "");
    const TextObjectCounts first = text.counts();
    EXPECT_GT(first.formats, 0u);

    ASSERT_EQ(run.apply(), "");
    EXPECT_EQ(text.counts().formats, first.formats);
    // Each of the two texts is measured by the layout and drawn by the painter from one text layout.
    EXPECT_EQ(text.counts().layouts - first.layouts, 2u);

    run.overlay.current = frame_of(R"({"scale":1.5,"hud":{"state":"LIVE","elapsed":"00:42"}})");
    ASSERT_EQ(run.apply(), "");
    EXPECT_EQ(text.counts().formats, 2 * first.formats);
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

}  // namespace
}  // namespace tolmin::win
