// The pixel rules, the scale, the window's place (also as a layer surface), the bitmap's growth and the
// repaint timer, each run over its case table in tests/data/tables/.

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "layout/anchored_surface.hpp"
#include "layout/placement.hpp"
#include "layout/repaint.hpp"
#include "layout/scale.hpp"
#include "model/enum_names.hpp"
#include "paint/surface_size.hpp"
#include "unit/support/builders.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

using test::num;

constexpr double NOW = 1.7e12;

std::vector<double> nums(const std::string& cell, char split = ' ') {
    std::vector<double> out;
    std::istringstream in(cell);
    for (std::string word; std::getline(in, word, split);) out.push_back(num(word));
    return out;
}

TEST(LayoutTables, PixelsAndScale) {
    for (const auto& row : test::read_table("scale.tsv")) {
        const double x = num(row[1]), y = row.cells.size() > 3 ? num(row[2]) : 0;
        double got = 0;
        if (row[0] == "round") got = saturate_round(x);
        if (row[0] == "ceil") got = saturate_ceil(x);
        if (row[0] == "overlay") got = overlay_scale(x, y);
        if (row[0] == "frame") got = frame_scale(test::monitor("M", 0, 0, 1, x, y), num(row[3]));
        EXPECT_EQ(got, num(row.cells.back())) << row.where();
    }
}

TEST(LayoutTables, WindowPlacement) {
    for (const auto& row : test::read_table("placement.tsv")) {
        const auto m = nums(row[0]), l = nums(row[2]), w = nums(row[3]);
        Layout layout;
        layout.anchor = *anchor_from_name(row[1]);
        layout.width = l[0], layout.height = l[1], layout.margin_x = l[2], layout.margin_y = l[3];
        const Placement want{std::int32_t(w[0]), std::int32_t(w[1]), std::int32_t(w[2]), std::int32_t(w[3])};
        EXPECT_EQ(place_window(test::monitor("M", m[0], m[1], m[2], m[3]), layout), want) << row.where();
    }
}

TEST(LayoutTables, AnchoredSurface) {
    for (const auto& row : test::read_table("anchored_surface.tsv")) {
        const auto m = nums(row[0]), w = nums(row[3]), size = nums(row[4]), margins = nums(row[5]),
                   buffer = nums(row[6]), offset = nums(row[7]);
        const Placement window{std::int32_t(w[0]), std::int32_t(w[1]), std::int32_t(w[2]),
                               std::int32_t(w[3])};
        const AnchoredSurface want{std::int32_t(size[0]),    std::int32_t(size[1]),
                                   std::int32_t(margins[0]), std::int32_t(margins[1]),
                                   std::int32_t(buffer[0]),  std::int32_t(buffer[1]),
                                   std::int32_t(offset[0]),  std::int32_t(offset[1])};
        const auto monitor = test::monitor("M", m[0], m[1], m[2], m[3]);
        EXPECT_EQ(anchored_surface(monitor, *anchor_from_name(row[2]), window, num(row[1])), want)
            << row.where();
    }
}

TEST(LayoutTables, SurfaceGrowth) {
    std::string sequence;
    std::optional<SurfaceSize> current;
    for (const auto& row : test::read_table("surface_size.tsv")) {
        if (row[0] != sequence) current.reset(), sequence = row[0];
        const auto picture = nums(row[1]);
        const auto made = grown_surface_size(current, picture[0], picture[1]);
        const auto want = row[2] == "-" ? std::vector<double>{} : nums(row[2]);
        ASSERT_EQ(made.has_value(), !want.empty()) << row.where();
        if (made) {
            EXPECT_EQ(*made, (SurfaceSize{std::int32_t(want[0]), std::int32_t(want[1])})) << row.where();
            current = made;
        }
    }
}

TEST(LayoutTables, RepaintTimer) {
    for (const auto& row : test::read_table("repaint.tsv")) {
        std::vector<Toast> toasts;
        std::istringstream words(row[1]);
        for (std::string word; words >> word;) {
            const auto times = nums(word.substr(0, word.rfind('/')), '/');
            const auto kind = static_cast<ToastKind>(std::string("mcsu").find(word.back()));
            toasts.push_back(test::toast(kind, NOW + times[0], NOW + times[1]));
        }
        const NextRepaint next = next_repaint(toasts, NOW);
        const NextRepaint want = row[2] == "now" ? NextRepaint{NextRepaint::Kind::Now, 0}
                                 : row[2] == "never"
                                     ? NextRepaint{NextRepaint::Kind::Never, 0}
                                     : NextRepaint{NextRepaint::Kind::At, NOW + num(row[2].substr(3))};
        EXPECT_EQ(next, want) << row[0];
        const auto wait = repaint_wait_ms(next, NOW);
        EXPECT_EQ(wait, row[3] == "-" ? std::nullopt : std::optional<std::uint32_t>(num(row[3]))) << row[0];
    }
    for (const auto& row : test::read_table("repaint_wait.tsv")) {
        const double now = num(row[1]) + NOW;
        const NextRepaint at{NextRepaint::Kind::At, num(row[0]) + NOW};
        EXPECT_EQ(repaint_wait_ms(at, now), num(row[2])) << row.where();
    }
    EXPECT_EQ(repaint_wait_ms({NextRepaint::Kind::Now, 0}, test::num("nan")), 16u);
    EXPECT_EQ(next_repaint({test::toast(ToastKind::Marker, NOW, NOW + 5000)}, test::num("nan")),
              (NextRepaint{NextRepaint::Kind::Never, 0}));
}

TEST(NowMs, MillisecondsOfTheSystemClock) {
    using namespace std::chrono;
    const auto clock = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    EXPECT_NEAR(now_ms(), static_cast<double>(clock), 1000);
}

}  // namespace
}  // namespace tolmin
