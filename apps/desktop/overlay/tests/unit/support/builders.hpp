#pragma once
// Builders for the records the unit tests feed the core: frames, alerts, toasts and monitors, with only the
// fields a test cares about set and everything else at its default.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "layout/monitor.hpp"
#include "model/frame.hpp"

namespace tolmin::test {

inline Toast toast(ToastKind kind, double born, double dies, std::string title = "") {
    Toast t;
    t.kind = kind;
    t.born = born;
    t.dies = dies;
    t.title = std::move(title);
    return t;
}

inline Alert alert(std::string title, std::optional<std::string> detail = std::nullopt) {
    Alert a;
    a.title = std::move(title);
    a.detail = std::move(detail);
    return a;
}

inline Frame frame(std::vector<Alert> alerts = {}, std::vector<Toast> toasts = {}) {
    Frame f;
    f.alerts = std::move(alerts);
    f.toasts = std::move(toasts);
    return f;
}

inline Monitor monitor(std::optional<std::string> name, std::int32_t x, std::int32_t y, std::int32_t width,
                       std::int32_t height, std::uint32_t dpi = 96, bool primary = false) {
    Monitor m;
    m.name = std::move(name);
    m.x = x;
    m.y = y;
    m.width = width;
    m.height = height;
    m.dpi = dpi;
    m.primary = primary;
    return m;
}

}  // namespace tolmin::test
