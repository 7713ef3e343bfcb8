// A lost graphics device on the real Direct2D objects (under Wine), with the render-target calls made to
// fail: the render target is remade, and the frame drawn again, only after a drawing that lost the device;
// a render target that cannot be remade is tried again at the next paint; repeated reports are folded.

#include <gtest/gtest.h>

#include "windows/overlay_run.hpp"

namespace tolmin::win::testing {
namespace {

const std::string LOST = "tolmin-overlay: the graphics device was lost; drawing again\n";

std::string cannot_draw(HRESULT hr, const std::string& times = "") {
    return "tolmin-overlay: cannot draw this frame: " + hresult_error(hr).text + times + "\n";
}

TEST(LostDevice, IsDrawnOnceMoreOnANewRenderTarget) {
    OverlayRun run(FADING_LINE);
    run.calls->failing = 1;
    EXPECT_EQ(run.apply(), LOST);
    EXPECT_EQ(run.calls->end_draws, 2);
    EXPECT_EQ(run.calls->made, 2);  // the first one, and the one in place of the lost one

    // The next paint draws once, on the same new render target, without a word.
    EXPECT_EQ(run.apply(16), "");
    EXPECT_EQ(run.calls->end_draws, 3);
    EXPECT_EQ(run.calls->made, 2);
}

TEST(LostDevice, AnotherFailureIsReportedWithoutANewRenderTarget) {
    OverlayRun run;
    run.calls->failing = 1;
    run.calls->failure = E_FAIL;
    EXPECT_EQ(run.apply(), cannot_draw(E_FAIL));
    EXPECT_EQ(run.calls->end_draws, 1);
    EXPECT_EQ(run.calls->made, 1);
}

TEST(LostDevice, ARenderTargetThatCannotBeMadeIsTriedAtEachPaintAndReportedOncePerSecond) {
    OverlayRun run(FADING_LINE);
    run.calls->failing = 1;
    run.calls->refused = 3;
    EXPECT_EQ(run.apply(), LOST + cannot_draw(E_OUTOFMEMORY));
    // Two more refusals at the next ticks of a fade: nothing is drawn, and the same failure is only counted.
    EXPECT_EQ(run.apply(16), "");
    EXPECT_EQ(run.apply(32), "");
    EXPECT_EQ(run.calls->end_draws, 1);
    // The fourth try makes one: drawing resumes, once per paint.
    EXPECT_EQ(run.apply(48), "");
    EXPECT_EQ(run.calls->end_draws, 2);
    EXPECT_EQ(run.calls->made, 2);
    // A second after the first report, the count of the two held back.
    EXPECT_EQ(run.apply(1000), cannot_draw(E_OUTOFMEMORY, " (2 times)"));
    EXPECT_EQ(run.calls->end_draws, 3);
}

}  // namespace
}  // namespace tolmin::win::testing
