#include "layout/window_steps.hpp"

#include <gtest/gtest.h>

namespace tolmin {
namespace {

// What the window is told for a placement or a hide, given what it was told before.
std::string tell(std::optional<Placement>& placement, bool& shown, const std::optional<Placement>& target) {
    if (!target) return hide_steps(placement, shown) ? "hide" : "-";
    const PlaceSteps steps = place_steps(placement, shown, *target);
    EXPECT_EQ(placement, target);
    EXPECT_TRUE(shown);
    return std::string(steps.move ? "move" : "") + (steps.show ? " show" : "") +
           (steps.move || steps.show ? "" : "-");
}

TEST(WindowSteps, FollowsASequenceOfFramesAndHides) {
    const Placement corner{1436, 1004, 468, 52}, taller{1436, 944, 468, 112}, wider{1436, 1004, 476, 52},
        left_monitor{-3824, 24, 468, 52};
    const std::pair<std::optional<Placement>, const char*> steps[] = {
        {std::nullopt, "-"},     // no Frame yet: nothing shown, nothing to hide
        {corner, "move show"},   // the first Frame
        {corner, "-"},           // the same layout: no move
        {taller, "move"},        // grown upwards, already shown
        {wider, "move"},         // the same corner, another size
        {std::nullopt, "hide"},  // nothing to show
        {std::nullopt, "-"},     // already hidden
        {wider, "move show"},    // the place before the hide is given again
        {left_monitor, "move"},  // negative coordinates are a place like any other
        {left_monitor, "-"},
    };
    std::optional<Placement> placement;
    bool shown = false;
    for (const auto& [target, told] : steps) EXPECT_EQ(tell(placement, shown, target), told);
    // A placement kept while not shown is still forgotten by a hide, so the next one is given again.
    placement = corner;
    shown = false;
    EXPECT_EQ(tell(placement, shown, std::nullopt), "-");
    EXPECT_EQ(tell(placement, shown, corner), "move show");
}

}  // namespace
}  // namespace tolmin
