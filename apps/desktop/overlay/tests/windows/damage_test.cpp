// Painting only what changed leaves the picture a full paint makes (real Direct2D under Wine): after each
// step of one overlay's sequence, its bitmap matches, within 2 per channel as on the screen, the bitmap of a
// fresh overlay that painted the same Frame at the same time whole.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

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
    // First paint, fade ticks, fade done, elapsed only, an alert added, another scale.
    const std::pair<std::string, double> steps[] = {{FADING_LINE, 0},
                                                    {FADING_LINE, 16},
                                                    {FADING_LINE, 60},
                                                    {FADING_LINE, 200},
                                                    {hud_later + toast, 1200},
                                                    {alert + FADING_LINE.substr(1), 2200},
                                                    {scaled + FADING_LINE.substr(1), 3200}};
    OverlayRun run(FADING_LINE);
    for (const auto& [line, later] : steps) {
        SCOPED_TRACE(later);
        run.overlay.current = frame_of(line);
        const int end_draws = run.calls->end_draws;
        ASSERT_EQ(run.apply(later), "");
        EXPECT_GT(run.calls->end_draws, end_draws);
        EXPECT_EQ(differences_from_full_paint(run, line, later), 0);
    }
    // The same frame again draws nothing.
    const int end_draws = run.calls->end_draws;
    ASSERT_EQ(run.apply(3300), "");
    EXPECT_EQ(run.calls->end_draws, end_draws);
}

}  // namespace
}  // namespace tolmin::win::testing
