#pragma once
// The monitors of an X display: RandR 1.5 monitors (name, rectangle, primary flag) in the server's order, or,
// on a server without them, the screen as one unnamed primary monitor; every one at the DPI of the Xft.dpi
// resource (96 when it is not set).

#include <vector>

#include "layout/monitor.hpp"
#include "x11/connection.hpp"

namespace tolmin::x11 {

class MonitorSource {
public:
    // Asks the server once which RandR version it speaks, and for change events when it has them.
    explicit MonitorSource(const Connection& connection);

    // Read afresh: the resource database and the monitor list, each one request.
    std::vector<Monitor> read() const;
    // The first event code of RandR (its ScreenChangeNotify), 0 without RandR.
    std::uint8_t first_event() const { return first_event_; }

private:
    const Connection& connection_;
    bool has_monitors_ = false;  // RandR 1.5 or later
    std::uint8_t first_event_ = 0;
};

}  // namespace tolmin::x11
