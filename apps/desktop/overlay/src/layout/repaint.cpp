#include "layout/repaint.hpp"

#include <chrono>
#include <cmath>

namespace tolmin {

namespace {

constexpr std::size_t MAX_CONSIDERED = 3;

}  // namespace

NextRepaint next_repaint(const std::vector<Toast>& toasts, double now_ms) {
    const double now = now_ms;
    std::size_t considered = 0;
    bool any_event = false;
    double earliest = 0;
    auto candidate = [&](double t) {
        // An infinite time is a change that never comes (a toast that never dies, or is never born).
        if (!std::isfinite(t)) return;
        if (!any_event || t < earliest) earliest = t;
        any_event = true;
    };

    for (const Toast& toast : toasts) {
        if (considered == MAX_CONSIDERED) break;
        // The same toasts the layout shows: recognized and not yet dead (a NaN `dies` never is).
        if (toast.kind == ToastKind::Unrecognized || !(toast.dies > now)) continue;
        ++considered;

        const double born = toast.born;
        const double fade_out_from = toast.dies - FADE_OUT_MS;
        // A NaN `born` compares false everywhere: no fade-in, and no event at its birth.
        const bool fading_in = born <= now && now < born + FADE_IN_MS;
        if (fading_in || now >= fade_out_from) return {NextRepaint::Kind::Now, 0};
        if (born > now) candidate(born);
        if (fade_out_from > now) candidate(fade_out_from);
        candidate(toast.dies);
    }
    if (!any_event) return {NextRepaint::Kind::Never, 0};
    return {NextRepaint::Kind::At, earliest};
}

std::optional<std::uint32_t> repaint_wait_ms(const NextRepaint& next, double now_ms) {
    switch (next.kind) {
        case NextRepaint::Kind::Now:
            return ANIMATION_PERIOD_MS;
        case NextRepaint::Kind::Never:
            return std::nullopt;
        case NextRepaint::Kind::At:
            break;
    }
    const double wait = std::ceil(next.at - now_ms);
    // NaN (no usable clock reading) waits the longest: an idle overlay must not spin.
    if (std::isnan(wait) || wait >= static_cast<double>(LONGEST_WAIT_MS)) return LONGEST_WAIT_MS;
    if (wait <= static_cast<double>(SHORTEST_WAIT_MS)) return SHORTEST_WAIT_MS;
    return static_cast<std::uint32_t>(wait);
}

double now_ms() {
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    if (since_epoch.count() < 0) return 0.0;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since_epoch);
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch - seconds);
    return (static_cast<double>(seconds.count()) + static_cast<double>(nanos.count()) / 1e9) * 1000.0;
}

}  // namespace tolmin
