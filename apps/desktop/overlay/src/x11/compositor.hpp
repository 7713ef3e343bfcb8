#pragma once
// Whether a compositing manager runs on the screen (it owns the selection _NET_WM_CM_S<screen>), and the
// events that say when one comes or goes.

#include <xcb/xcb.h>

#include "x11/connection.hpp"

namespace tolmin::x11 {

class CompositorWatch {
public:
    // Asks who owns the selection, and for an event whenever that changes (through XFixes, when the server
    // has it; without it the answer at the start stands).
    explicit CompositorWatch(const Connection& connection);

    bool running() const { return running_; }
    // For an event: whether it is about the selection. Then running() tells the new state.
    bool handle(const xcb_generic_event_t& event);

private:
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    std::uint8_t first_event_ = 0;  // XFixes' first event code; 0 without XFixes
    bool running_ = false;
};

}  // namespace tolmin::x11
