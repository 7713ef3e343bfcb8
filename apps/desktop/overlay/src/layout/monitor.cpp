#include "layout/monitor.hpp"

namespace tolmin {

std::optional<std::size_t> select_monitor(const std::vector<Monitor>& monitors,
                                          const std::optional<std::string>& requested_name) {
    // An empty name names nothing: a listed monitor's name is never empty.
    if (requested_name && !requested_name->empty()) {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (monitors[i].name && *monitors[i].name == *requested_name) return i;
        }
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) return i;
    }
    if (!monitors.empty()) return 0;
    return std::nullopt;
}

}  // namespace tolmin
