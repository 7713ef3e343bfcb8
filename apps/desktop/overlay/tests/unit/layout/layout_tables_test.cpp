// The pixel rules, the scale, the width of a laid-out text, the window's place (also as a layer surface), the
// bitmap's growth and the
// repaint timer, each run over its case table in tests/data/tables/.

#include <gtest/gtest.h>

#include <chrono>

#include "layout/anchored_surface.hpp"
#include "layout/placement.hpp"
#include "layout/repaint.hpp"
#include "layout/scale.hpp"
#include "model/enum_names.hpp"
#include "paint/surface_size.hpp"
#include "paint/text_width.hpp"
#include "unit/support/builders.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

using test::num;
using test::nums;

constexpr double NOW = 1.7e12;

TOLMIN_TABLE(Pixels, "tables/scale.tsv", 0);

TEST_P(Pixels, Rule) {
    const test::Row& row = GetParam();
    const double x = num(row[1]), y = row.cells.size() > 3 ? num(row[2]) : 0;
    double got = 0;
    if (row[0] == "round") got = saturate_round(x);
    if (row[0] == "ceil") got = saturate_ceil(x);
    if (row[0] == "overlay") got = overlay_scale(x, y);
    if (row[0] == "frame") got = frame_scale(test::monitor("M", 0, 0, 1, x, y), num(row[3]));
    if (row[0] == "text_width") got = text_width(x, y);
    EXPECT_EQ(got, num(row.cells.back()));
}

TOLMIN_TABLE(WindowPlacement, "tables/placement.tsv", 2);

TEST_P(WindowPlacement, AtTheAnchoredCorner) {
    const auto m = nums(GetParam()[0]), l = nums(GetParam()[2]), w = nums(GetParam()[3]);
    Layout layout;
    layout.anchor = *anchor_from_name(GetParam()[1]);
    layout.width = l[0], layout.height = l[1], layout.margin_x = l[2], layout.margin_y = l[3];
    const Placement want{std::int32_t(w[0]), std::int32_t(w[1]), std::int32_t(w[2]), std::int32_t(w[3])};
    EXPECT_EQ(place_window(test::monitor("M", m[0], m[1], m[2], m[3]), layout), want);
}

TOLMIN_TABLE(LayerSurface, "tables/anchored_surface.tsv", 0);

TEST_P(LayerSurface, SizeMarginsAndOffset) {
    const test::Row& row = GetParam();
    const auto m = nums(row[0]), w = nums(row[3]), size = nums(row[4]), margins = nums(row[5]),
               buffer = nums(row[6]), offset = nums(row[7]);
    const Placement window{std::int32_t(w[0]), std::int32_t(w[1]), std::int32_t(w[2]), std::int32_t(w[3])};
    const AnchoredSurface want{std::int32_t(size[0]),    std::int32_t(size[1]),   std::int32_t(margins[0]),
                               std::int32_t(margins[1]), std::int32_t(buffer[0]), std::int32_t(buffer[1]),
                               std::int32_t(offset[0]),  std::int32_t(offset[1])};
    const auto monitor = test::monitor("M", m[0], m[1], m[2], m[3]);
    EXPECT_EQ(anchored_surface(monitor, *anchor_from_name(row[2]), window, num(row[1])), want);
}

TOLMIN_TABLE(SurfaceGrowth, "tables/surface_size.tsv", 1);

TEST_P(SurfaceGrowth, OnlyGrows) {
    std::optional<SurfaceSize> current;
    for (const std::string& step : test::split(GetParam()[1], " | ")) {
        const auto picture = nums(step.substr(0, step.find(" > ")));
        const std::string made_cell = step.substr(step.find(" > ") + 3);
        const auto made = grown_surface_size(current, picture[0], picture[1]);
        const auto want = made_cell == "-" ? std::vector<double>{} : nums(made_cell);
        ASSERT_EQ(made.has_value(), !want.empty()) << step;
        if (made) {
            EXPECT_EQ(*made, (SurfaceSize{std::int32_t(want[0]), std::int32_t(want[1])})) << step;
            current = made;
        }
    }
}

TOLMIN_TABLE(RepaintTimer, "tables/repaint.tsv", 1);

TEST_P(RepaintTimer, NextChangeAndWait) {
    const test::Row& row = GetParam();
    std::vector<Toast> toasts;
    for (const std::string& word : test::split(row[1], " ")) {
        const auto times = test::split(word, "/");
        toasts.push_back(
            test::toast(*enum_from_name<ToastKind>(times[2]), NOW + num(times[0]), NOW + num(times[1])));
    }
    const NextRepaint next = next_repaint(toasts, NOW);
    const NextRepaint want = row[2] == "now" ? NextRepaint{NextRepaint::Kind::Now, 0}
                             : row[2] == "never"
                                 ? NextRepaint{NextRepaint::Kind::Never, 0}
                                 : NextRepaint{NextRepaint::Kind::At, NOW + num(row[2].substr(3))};
    EXPECT_EQ(next, want);
    const auto wait = repaint_wait_ms(next, NOW);
    EXPECT_EQ(wait, row[3] == "-" ? std::nullopt : std::optional<std::uint32_t>(num(row[3])));
}

TOLMIN_TABLE(RepaintWait, "tables/repaint_wait.tsv", 0);

TEST_P(RepaintWait, CeilingWithinOneMinute) {
    const double now = num(GetParam()[1]) + NOW;
    const NextRepaint at{NextRepaint::Kind::At, num(GetParam()[0]) + NOW};
    EXPECT_EQ(repaint_wait_ms(at, now), num(GetParam()[2]));
}

TEST(RepaintTimerAtNaN, NeverShownAnimatesEvery16Ms) {
    EXPECT_EQ(repaint_wait_ms({NextRepaint::Kind::Now, 0}, test::num("nan")), 16u);
    EXPECT_EQ(next_repaint({test::toast(ToastKind::Marker, NOW, NOW + 5000)}, test::num("nan")),
              (NextRepaint{NextRepaint::Kind::Never, 0}));
}

TEST(NowMs, MillisecondsOfTheSystemClock) {
    const auto clock = [] {
        return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    };
    const double before = clock(), now = now_ms(), after = clock();
    EXPECT_GE(now, before - 1);  // a millisecond for the rounding of the two ways to count
    EXPECT_LE(now, after + 1);
}

}  // namespace
}  // namespace tolmin
