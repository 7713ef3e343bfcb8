// Painting only the damage leaves the picture a full paint makes. The recorded operations are replayed
// into a picture of their own: each pixel holds a hash of every operation that covered it, in order (a
// shape its pixel bounds after the transform, a text the pixel at its origin), within the clips; begin
// clears its area. After each step of a sequence, the picture painted with damage over the earlier ones
// equals, pixel for pixel, the picture of one full paint of the same state.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "layout/frame_plan.hpp"
#include "model/parse_frame.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"
#include "unit/support/builders.hpp"

namespace tolmin {
namespace {

constexpr double NOW = 1.7e12;

struct Replayed {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint64_t> pixels;

    void replay(const std::vector<DrawOp>& ops) {
        std::vector<PixelRect> clips;
        double dx = 0, dy = 0, layers = 1;
        for (const DrawOp& op : ops) {
            const auto cover = [&](double l, double t, double r, double b, std::uint64_t what) {
                const PixelRect shape{static_cast<std::int32_t>(std::floor(l + dx)),
                                      static_cast<std::int32_t>(std::floor(t + dy)),
                                      static_cast<std::int32_t>(std::ceil(r + dx) - std::floor(l + dx)),
                                      static_cast<std::int32_t>(std::ceil(b + dy) - std::floor(t + dy))};
                const PixelRect in = intersection(shape, clips.back());
                for (std::int32_t y = in.y; y < in.y + in.height; ++y) {
                    for (std::int32_t x = in.x; x < in.x + in.width; ++x) {
                        std::uint64_t& p = pixels[static_cast<std::size_t>(y) * width + x];
                        p = p * 1000003 ^ (what + std::hash<double>{}(layers));
                    }
                }
            };
            const std::uint64_t colour =
                std::hash<double>{}(op.color.r + 3 * op.color.g + 7 * op.color.b + op.alpha);
            switch (op.kind) {
                case DrawOp::Kind::Begin:
                    if (op.width > width || op.height > height) {
                        width = op.width, height = op.height;
                        pixels.assign(static_cast<std::size_t>(width) * height, 7);  // a new bitmap
                    }
                    clips = {intersection(op.area, PixelRect{0, 0, width, height})};
                    for (std::int32_t y = clips[0].y; y < clips[0].y + clips[0].height; ++y)
                        for (std::int32_t x = clips[0].x; x < clips[0].x + clips[0].width; ++x)
                            pixels[static_cast<std::size_t>(y) * width + x] = 0;
                    break;
                case DrawOp::Kind::PushClip:
                    clips.push_back(intersection(clips.back(), op.area));
                    break;
                case DrawOp::Kind::PopClip:
                    clips.pop_back();
                    break;
                case DrawOp::Kind::SetTransform:
                    dx = op.dx, dy = op.dy;
                    break;
                case DrawOp::Kind::PushLayer:
                    layers *= op.opacity;
                    break;
                case DrawOp::Kind::PopLayer:
                    layers = 1;
                    break;
                case DrawOp::Kind::FillRect:
                    cover(op.rect.left, op.rect.top, op.rect.right, op.rect.bottom, colour);
                    break;
                case DrawOp::Kind::FillEllipse:
                    cover(op.center.x - op.radius_x, op.center.y - op.radius_y, op.center.x + op.radius_x,
                          op.center.y + op.radius_y, colour + 1);
                    break;
                case DrawOp::Kind::DrawText:
                    cover(op.origin.x, op.origin.y, op.origin.x + 1, op.origin.y + 1,
                          colour + std::hash<std::string>{}(op.text + std::to_string(op.fit.value_or(-1))));
                    break;
                case DrawOp::Kind::Present:
                    break;
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
    const std::string hud = R"({"hud":{"state":"LIVE","elapsed":"00:42","presence":"3 here"},)";
    const std::string toasts = R"("toasts":[{"title":"Marker","count":3,"time":"12:04","detail":"Two",)"
                               R"("born":1700000000000,"dies":1700000001000},{"kind":"caller","title":"C",)"
                               R"("index":"1","born":1699999000000,"dies":1700000060000}]})";
    const std::string alert = R"("alerts":[{"title":"Disk almost full","detail":"C: 97 %"}],)";
    const struct {
        std::string line;
        double later;
        bool draws;
    } steps[] = {
        {hud + toasts, 0, true},
        {hud + toasts, 20, true},
        {hud + toasts, 60, true},
        {hud + toasts, 130, true},
        {hud + toasts, 500, false},
        {hud + toasts, 900, true},
        {R"({"hud":{"state":"LIVE","elapsed":"00:43","presence":"3 here"},)" + toasts, 950, true},
        {hud + alert + toasts, 960, true},
        {R"({"monitor":"\\\\.\\DISPLAY2",)" + hud.substr(1) + alert + toasts, 970, true},
        {R"({"monitor":"\\\\.\\DISPLAY2",)" + hud.substr(1) + alert + toasts, 970, false},
    };
    const std::vector<Monitor> monitors{test::monitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 96, true),
                                        test::monitor("\\\\.\\DISPLAY2", 1920, 0, 2560, 1440)};
    FixedTextService text;
    std::optional<ShownPicture> shown;
    Replayed retained;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line + " at +" + std::to_string(step.later));
        LineOutcome outcome = parse_frame_line(step.line);
        const Frame& frame = std::get<Parsed>(outcome).frame;
        const FramePlan plan = plan_frame(frame, monitors, NOW + step.later, text);
        ShownPicture next = shown_picture(frame, plan.layout, monitors[*plan.monitor], *plan.window);
        RecordingCanvas damaged, full;
        ASSERT_TRUE(paint_frame(damaged, text, 0, 0, frame, plan.layout, damage_between(shown, next)).ok());
        ASSERT_TRUE(paint_frame(full, text, 0, 0, frame, plan.layout).ok());
        shown = std::move(next);
        EXPECT_EQ(!damaged.ops.empty(), step.draws);
        retained.replay(damaged.ops);
        Replayed whole;
        whole.replay(full.ops);
        EXPECT_EQ(retained.window(plan.layout.width, plan.layout.height),
                  whole.window(plan.layout.width, plan.layout.height));
    }
}

}  // namespace
}  // namespace tolmin
