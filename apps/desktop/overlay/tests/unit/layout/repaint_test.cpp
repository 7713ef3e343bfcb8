#include "layout/repaint.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace tolmin {
namespace {

constexpr double NOW = 1.7e12;
constexpr double INF = std::numeric_limits<double>::infinity();
const double NaN = std::nan("");

Toast toast_of(double born, double dies, ToastKind kind = ToastKind::Marker) {
    Toast toast;
    toast.kind = kind;
    toast.born = born;
    toast.dies = dies;
    return toast;
}

NextRepaint now_() {
    return {NextRepaint::Kind::Now, 0};
}
NextRepaint at(double t) {
    return {NextRepaint::Kind::At, t};
}
NextRepaint never() {
    return {NextRepaint::Kind::Never, 0};
}

TEST(NextRepaint, ScanAndWait) {
    const struct {
        const char* name;
        std::vector<Toast> toasts;
        NextRepaint next;
        std::optional<std::uint32_t> wait;
    } cases[] = {
        {"no toasts", {}, never(), std::nullopt},
        {"born later", {toast_of(NOW + 5000, NOW + 20000)}, at(NOW + 5000), 5000},
        {"born now", {toast_of(NOW, NOW + 20000)}, now_(), 16},
        {"fading in", {toast_of(NOW - 119.5, NOW + 20000)}, now_(), 16},
        {"fade-in just over", {toast_of(NOW - 120, NOW + 20000)}, at(NOW + 20000 - 180), 19820},
        {"waits for the fade-out", {toast_of(NOW - 5000, NOW + 10000)}, at(NOW + 9820), 9820},
        {"fade-out begins now", {toast_of(NOW - 5000, NOW + 180)}, now_(), 16},
        {"fading out", {toast_of(NOW - 5000, NOW + 1)}, now_(), 16},
        {"at most a minute", {toast_of(NOW - 5000, NOW + 70000)}, at(NOW + 69820), 60000},
        {"too short, before its birth", {toast_of(NOW + 100, NOW + 150)}, now_(), 16},
        {"short, fade-out first", {toast_of(NOW + 500, NOW + 600)}, at(NOW + 420), 420},
        {"dead", {toast_of(NOW - 5000, NOW)}, never(), std::nullopt},
        {"unrecognized", {toast_of(NOW, NOW + 5000, ToastKind::Unrecognized)}, never(), std::nullopt},
        {"earliest of several",
         {toast_of(NOW + 3000, NOW + 9000), toast_of(NOW - 400, NOW + 2000),
          toast_of(NOW + 2500, NOW + 4000)},
         at(NOW + 1820),
         1820},
        {"under a millisecond", {toast_of(NOW + 0.2, NOW + 9000)}, at(NOW + 0.2), 1},
        {"fraction rounds up", {toast_of(NOW + 1.2, NOW + 9000)}, at(NOW + 1.2), 2},
    };
    for (const auto& c : cases) {
        const NextRepaint next = next_repaint(c.toasts, NOW);
        EXPECT_EQ(next, c.next) << c.name;
        EXPECT_EQ(repaint_wait_ms(next, NOW), c.wait) << c.name;
    }
}

TEST(NextRepaint, SkippedToastsAreNotAmongTheThree) {
    // The fourth considered toast is fading in, but only three are considered; the unrecognized and the dead
    // toasts before them do not count.
    const std::vector<Toast> toasts{
        toast_of(NOW, NOW + 5000, ToastKind::Unrecognized),
        toast_of(NOW - 5000, NOW - 1),
        toast_of(NOW + 1000, NOW + 9000),
        toast_of(NOW + 2000, NOW + 9000),
        toast_of(NOW + 3000, NOW + 9000, ToastKind::Caller),
        toast_of(NOW, NOW + 9000),
    };
    EXPECT_EQ(next_repaint(toasts, NOW), at(NOW + 1000));
}

TEST(NextRepaint, NonFiniteTimesAreSound) {
    const struct {
        const char* name;
        Toast toast;
        NextRepaint next;
    } cases[] = {
        {"NaN dies is never shown", toast_of(NOW - 10, NaN), never()},
        {"NaN born has no fade-in", toast_of(NaN, NOW + 5000), at(NOW + 4820)},
        {"NaN born still fades out", toast_of(NaN, NOW + 100), now_()},
        {"never dies, already in", toast_of(NOW - 500, INF), never()},
        {"never dies, born later", toast_of(NOW + 700, INF), at(NOW + 700)},
        {"never born", toast_of(INF, NOW + 5000), at(NOW + 4820)},
        {"born at the dawn of time", toast_of(-INF, NOW + 5000), at(NOW + 4820)},
    };
    for (const auto& c : cases) EXPECT_EQ(next_repaint({c.toast}, NOW), c.next) << c.name;
    EXPECT_EQ(next_repaint({toast_of(NOW, NOW + 5000)}, NaN), never());
}

TEST(RepaintWait, ClampsAndHandlesNonFiniteTimes) {
    const struct {
        double at;
        double now;
        std::optional<std::uint32_t> wait;
    } cases[] = {
        {NOW + 60000, NOW, 60000},
        {NOW + 59999.5, NOW, 60000},
        {NOW + 59998.5, NOW, 59999},
        {NOW - 50, NOW, 1},
        {NOW, NOW, 1},
        {INF, NOW, 60000},
        {-INF, NOW, 1},
        {NaN, NOW, 60000},
        {NOW, NaN, 60000},
    };
    for (const auto& c : cases) EXPECT_EQ(repaint_wait_ms(at(c.at), c.now), c.wait) << c.at - c.now;
    EXPECT_EQ(repaint_wait_ms(now_(), NaN), 16u);
    EXPECT_EQ(repaint_wait_ms(never(), NOW), std::nullopt);
}

TEST(NowMs, MillisecondsOfTheSystemClock) {
    using namespace std::chrono;
    const double before =
        static_cast<double>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
    const double now = now_ms();
    const double after =
        static_cast<double>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
    EXPECT_GE(now, before);
    EXPECT_LE(now, after + 1);
    EXPECT_GT(now, 1.5e12);  // after 2017, in milliseconds
}

}  // namespace
}  // namespace tolmin
