#include "layout/window_steps.hpp"

namespace tolmin {

PlaceSteps place_steps(std::optional<Placement>& placement, bool& shown, const Placement& target) {
    PlaceSteps steps;
    steps.move = placement != target;
    steps.show = !shown;
    placement = target;
    shown = true;
    return steps;
}

bool hide_steps(std::optional<Placement>& placement, bool& shown) {
    const bool hide = shown;
    shown = false;
    placement.reset();
    return hide;
}

}  // namespace tolmin
