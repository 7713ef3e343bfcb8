// Painting only what changed leaves the picture a full paint makes (real Direct2D under Wine): after each
// step of one overlay's sequence, its bitmap matches, within 2 per channel as on the screen, the bitmap of a
// fresh overlay that painted the same Frame at the same time whole.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "windows/overlay_run.hpp"

namespace tolmin::win::testing {
namespace {

// The window's part of the bitmap, row by row, as the render target left it.
std::vector<std::uint8_t> picture(const OverlayRun& run) {
    GdiFlush();
    const Surface& surface = *run.overlay.graphics->surface();
    const Placement& window = *run.overlay.window.placement;
    DIBSECTION dib{};
    if (GetObjectW(surface.bitmap(), sizeof dib, &dib) != sizeof dib) return {};
    const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    std::vector<std::uint8_t> pixels;
    for (std::int32_t y = 0; y < window.height; ++y) {
        const std::uint8_t* row = bits + static_cast<std::ptrdiff_t>(y) * dib.dsBm.bmWidthBytes;
        pixels.insert(pixels.end(), row, row + static_cast<std::ptrdiff_t>(window.width) * 4);
    }
    return pixels;
}

// How many channels of `run`'s picture differ by more than 2 from a full paint of its Frame at `later`.
int differences_from_full_paint(const OverlayRun& run, const std::string& line, double later) {
    OverlayRun whole(line);
    EXPECT_EQ(whole.apply(later), "");
    const std::vector<std::uint8_t> expected = picture(whole), seen = picture(run);
    if (expected.size() != seen.size() || expected.empty()) return -1;
    int differing = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) differing += std::abs(seen[i] - expected[i]) > 2;
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
