#pragma once
// What the overlay window has to be told when it is placed or hidden, given what it was last told: a move
// only when the rectangle changed, a show only when hidden, and a hide that forgets the rectangle so that
// the next placement moves the window again.

#include <optional>

#include "layout/placement.hpp"

namespace tolmin {

struct PlaceSteps {
    bool move = false;  // give the system the new rectangle
    bool show = false;  // show the window (without activating it)

    friend bool operator==(const PlaceSteps&, const PlaceSteps&) = default;
};

// The steps to stand at `target`; records `target` and the window as shown.
PlaceSteps place_steps(std::optional<Placement>& placement, bool& shown, const Placement& target);

// True when the window must be hidden (it was shown); the placement is forgotten in every case.
bool hide_steps(std::optional<Placement>& placement, bool& shown);

}  // namespace tolmin
