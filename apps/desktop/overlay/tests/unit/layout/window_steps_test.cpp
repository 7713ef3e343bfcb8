#include "layout/window_steps.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace tolmin {
namespace {

// One event in the life of the overlay window and what it must be told.
struct Event {
    enum class Kind { Place, Hide } kind;
    Placement target;     // Place
    PlaceSteps expected;  // Place
    bool expected_hide;   // Hide
};

Event place_at(Placement target, bool move, bool show) {
    return {Event::Kind::Place, target, {move, show}, false};
}
Event hide_expect(bool hide) {
    return {Event::Kind::Hide, {}, {}, hide};
}

TEST(WindowSteps, FollowsASequenceOfFramesAndHides) {
    const Placement corner{1436, 1004, 468, 52};
    const Placement taller{1436, 944, 468, 112};
    const Placement wider_same_origin{1436, 1004, 476, 52};
    const Placement left_monitor{-3824, 24, 468, 52};

    const std::vector<Event> events = {
        hide_expect(false),                        // no Frame yet: nothing shown, nothing to hide
        place_at(corner, true, true),              // first Frame: moved and shown
        place_at(corner, false, false),            // identical layout: no move
        place_at(taller, true, false),             // grew upwards: moved, already shown
        place_at(wider_same_origin, true, false),  // same corner, other size: still a move
        hide_expect(true),                         // nothing to show
        hide_expect(false),                        // and again: already hidden
        place_at(wider_same_origin, true, true),   // the same place as before the hide: moved again
        place_at(left_monitor, true, false),       // negative coordinates are a place like any other
        place_at(left_monitor, false, false),
    };

    std::optional<Placement> placement;
    bool shown = false;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        if (e.kind == Event::Kind::Place) {
            EXPECT_EQ(place_steps(placement, shown, e.target), e.expected) << "event " << i;
            EXPECT_EQ(placement, e.target) << "event " << i;
            EXPECT_TRUE(shown) << "event " << i;
        } else {
            EXPECT_EQ(hide_steps(placement, shown), e.expected_hide) << "event " << i;
            EXPECT_FALSE(placement.has_value()) << "event " << i;
            EXPECT_FALSE(shown) << "event " << i;
        }
    }
}

TEST(WindowSteps, HideForgetsAPlacementEvenWhenNotShown) {
    // A placement recorded on a window that is not shown (e.g. shown state lost) must still be forgotten, so
    // the next placement gives the system the rectangle again.
    std::optional<Placement> placement = Placement{0, 0, 10, 10};
    bool shown = false;
    EXPECT_FALSE(hide_steps(placement, shown));
    EXPECT_FALSE(placement.has_value());
    EXPECT_EQ(place_steps(placement, shown, Placement{0, 0, 10, 10}), (PlaceSteps{true, true}));
}

}  // namespace
}  // namespace tolmin
