// Painting only what changed leaves the picture a full paint makes (real Direct2D under Wine): after each
// step of one overlay's sequence, its bitmap matches, within 2 per channel as on the screen, the bitmap of a
// fresh overlay that painted the same Frame at the same time whole.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "windows/overlay_run.hpp"

namespace tolmin::win::testing {
namespace {

// How many channels of the window's part of `run`'s bitmap differ by more than 2 from a full paint of `line`
// at `later` by a fresh overlay.
int differences_from_full_paint(const OverlayRun& run, const std::string& line, double later) {
    OverlayRun whole(line);
    EXPECT_EQ(whole.apply(later), "");
    GdiFlush();
    DIBSECTION seen{}, expected{};
    GetObjectW(run.overlay.graphics->surface()->bitmap(), sizeof seen, &seen);
    GetObjectW(whole.overlay.graphics->surface()->bitmap(), sizeof expected, &expected);
    const Placement& window = *run.overlay.window.placement;
    if (!(window == *whole.overlay.window.placement)) return -1;
    int differing = 0;
    for (std::int32_t y = 0; y < window.height; ++y) {
        for (std::int32_t x = 0; x < window.width * 4; ++x) {
            const auto at = [x, y](const DIBSECTION& dib) {
                return static_cast<const std::uint8_t*>(dib.dsBm.bmBits)[y * dib.dsBm.bmWidthBytes + x];
            };
            differing += std::abs(at(seen) - at(expected)) > 2;
        }
    }
    return differing;
}

TEST(Damage, LeavesThePictureOfAFullPaint) {
    const std::string toast = FADING_LINE.substr(FADING_LINE.find(R"("toasts")"));
    const std::string alert = R"({"alerts":[{"title":"Disk almost full","detail":"C: 97 %"}],)";
    const std::string hud_later = R"({"hud":{"state":"LIVE","elapsed":"00:43"},)";
    const std::string scaled = R"({"scale":1.5,)";
    const struct {
        const char* step;
        std::string line;
        double later;
        bool draws;
    } steps[] = {
        {"first paint", FADING_LINE, 0, true},
        {"fade tick", FADING_LINE, 16, true},
        {"fade tick", FADING_LINE, 60, true},
        {"fade done", FADING_LINE, 200, true},
        {"elapsed only", hud_later + toast, 1200, true},
        {"alert added", alert + FADING_LINE.substr(1), 2200, true},
        {"another scale", scaled + FADING_LINE.substr(1), 3200, true},
        {"the same frame", scaled + FADING_LINE.substr(1), 3300, false},
    };
    OverlayRun run(FADING_LINE);
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        run.overlay.current = frame_of(s.line);
        const int end_draws = run.calls->end_draws;
        ASSERT_EQ(run.apply(s.later), "");
        EXPECT_EQ(run.calls->end_draws > end_draws, s.draws);
        EXPECT_EQ(differences_from_full_paint(run, s.line, s.later), 0);
    }
}

}  // namespace
}  // namespace tolmin::win::testing
