// Painting only the damage leaves the picture a full paint makes: after each step of a sequence
// (tests/data/tables/retained.tsv), the recorded operations painted with damage over the earlier ones,
// replayed into a picture, equal pixel for pixel the replay of one full paint of the same state.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "frame/draw_ops_json.hpp"
#include "layout/frame_plan.hpp"
#include "model/parse_frame.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"
#include "unit/support/builders.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

constexpr double NOW = 1.7e12;

// A picture of hashes: begin clears its area to 0; every other operation that draws mixes its own report
// and the layer's into the pixels of its bounds after the transform (a text: the pixel at its origin),
// within the clips.
struct Replayed {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint64_t> pixels;

    void replay(const std::vector<DrawOp>& ops) {
        std::vector<PixelRect> clips;
        double dx = 0, dy = 0, layer = 1;
        for (const DrawOp& op : ops) {
            JsonWriter json;
            write_draw_op(json, op);
            const std::uint64_t what = std::hash<std::string>{}(json.take() + std::to_string(layer));
            RectF bounds = op.rect;
            if (op.kind == DrawOp::Kind::Begin) {
                if (op.width > width || op.height > height) {  // a new bitmap
                    width = op.width, height = op.height;
                    pixels.assign(static_cast<std::size_t>(width) * height, 7);
                }
                clips = {intersection(op.area, {0, 0, width, height})};
                dx = dy = 0;
                bounds = {0, 0, static_cast<double>(width), static_cast<double>(height)};
            }
            if (op.kind == DrawOp::Kind::PushClip) clips.push_back(intersection(clips.back(), op.area));
            if (op.kind == DrawOp::Kind::PopClip) clips.pop_back();
            if (op.kind == DrawOp::Kind::SetTransform) dx = op.dx, dy = op.dy;
            if (op.kind == DrawOp::Kind::PushLayer) layer = op.opacity;
            if (op.kind == DrawOp::Kind::PopLayer) layer = 1;
            if (op.kind == DrawOp::Kind::FillEllipse) {
                bounds = {op.center.x - op.radius_x, op.center.y - op.radius_y, op.center.x + op.radius_x,
                          op.center.y + op.radius_y};
            }
            if (op.kind == DrawOp::Kind::DrawText)
                bounds = {op.origin.x, op.origin.y, op.origin.x + 1, op.origin.y + 1};
            if (op.kind != DrawOp::Kind::Begin && op.kind != DrawOp::Kind::FillRect &&
                op.kind != DrawOp::Kind::FillEllipse && op.kind != DrawOp::Kind::DrawText) {
                continue;
            }
            const auto lo = [](double v) { return static_cast<std::int32_t>(std::floor(v)); };
            const auto hi = [](double v) { return static_cast<std::int32_t>(std::ceil(v)); };
            const PixelRect in = intersection(clips.back(), {lo(bounds.left + dx), lo(bounds.top + dy),
                                                             hi(bounds.right + dx) - lo(bounds.left + dx),
                                                             hi(bounds.bottom + dy) - lo(bounds.top + dy)});
            for (std::int32_t y = in.y; y < in.y + in.height; ++y) {
                for (std::int32_t x = in.x; x < in.x + in.width; ++x) {
                    std::uint64_t& p = pixels[static_cast<std::size_t>(y) * width + x];
                    p = op.kind == DrawOp::Kind::Begin ? 0 : p * 1000003 ^ what;
                }
            }
        }
    }
    // The window's part, row by row.
    std::vector<std::uint64_t> window(std::int32_t w, std::int32_t h) const {
        std::vector<std::uint64_t> out;
        for (std::int32_t y = 0; y < h; ++y)
            out.insert(out.end(), &pixels[y * width], &pixels[y * width] + w);
        return out;
    }
};

TEST(RetainedPicture, EqualsAFullPaintAfterEveryStep) {
    const std::vector<Monitor> monitors{test::monitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 96, true),
                                        test::monitor("\\\\.\\DISPLAY2", 1920, 0, 2560, 1440)};
    FixedTextService text;
    std::optional<ShownPicture> shown;
    Replayed retained;
    for (const test::Row& step : test::read_table("tables/retained.tsv")) {
        SCOPED_TRACE("line " + std::to_string(step.line) + ": " + step[0]);
        LineOutcome outcome = parse_frame_line(step[1]);
        const Frame& frame = std::get<Parsed>(outcome).frame;
        const FramePlan plan = plan_frame(frame, monitors, NOW + test::num(step[2]), text);
        ShownPicture next = shown_picture(frame, plan.layout, monitors[*plan.monitor], *plan.window);
        RecordingCanvas damaged, full;
        ASSERT_TRUE(paint_frame(damaged, text, 0, 0, frame, plan.layout, damage_between(shown, next)).ok());
        ASSERT_TRUE(paint_frame(full, text, 0, 0, frame, plan.layout).ok());
        shown = std::move(next);
        EXPECT_EQ(!damaged.ops.empty(), step[3] == "yes");
        retained.replay(damaged.ops);
        Replayed whole;
        whole.replay(full.ops);
        EXPECT_EQ(retained.window(plan.layout.width, plan.layout.height),
                  whole.window(plan.layout.width, plan.layout.height));
    }
}

}  // namespace
}  // namespace tolmin
