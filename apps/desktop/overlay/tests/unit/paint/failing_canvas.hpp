#pragma once
// A recording canvas that fails where a test asks: begin or present returns the given error; with
// `fail_brushes` shapes and texts are left out, as when the platform cannot make a brush.

#include <optional>

#include "paint/recording_canvas.hpp"

namespace tolmin::test {

struct FailingCanvas : RecordingCanvas {
    std::optional<Error> fail_begin;
    std::optional<Error> fail_present;
    bool fail_brushes = false;

    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override {
        if (fail_begin) return *fail_begin;
        return RecordingCanvas::begin_surface(width, height, area);
    }
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override {
        if (fail_present) return *fail_present;
        return RecordingCanvas::present_surface(x, y, width, height, area);
    }
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override {
        if (!fail_brushes) RecordingCanvas::fill_rectangle(rect, color, alpha);
    }
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override {
        if (!fail_brushes) RecordingCanvas::fill_ellipse(center, radius_x, radius_y, color, alpha);
    }
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override {
        if (!fail_brushes) RecordingCanvas::draw_text(box, origin, color, alpha);
    }
};

}  // namespace tolmin::test
