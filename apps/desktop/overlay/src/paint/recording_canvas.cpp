#include "paint/recording_canvas.hpp"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "text/unicode.hpp"

namespace tolmin {

namespace {

// The number of Unicode scalar values in `text`; a byte that does not start a sequence counts as one.
std::size_t scalar_count(std::string_view text) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t before = pos;
        next_code_point(text, pos);
        if (pos <= before || pos > text.size()) pos = before + 1;
        ++count;
    }
    return count;
}

}  // namespace

// ---- FixedTextService ----

double FixedTextService::measure_text(std::string_view text, const TextSpec& spec, double scale) {
    return static_cast<double>(scalar_count(text)) * scale * spec.size * (advance_ + spec.tracking);
}

std::optional<TextBox> FixedTextService::text_box(std::string_view text, const TextSpec& spec, double scale,
                                                  std::optional<double> fit) {
    double width = measure_text(text, spec, scale);
    // Like the platform's text layout: the box never exceeds its fitting width, which counts as 0 when
    // negative (or not a number).
    if (fit) width = std::min(width, *fit > 0 ? *fit : 0.0);
    TextBox box;
    box.handle = std::make_unique<RecordedText>(std::string(text), spec, fit);
    box.width = width;
    box.height = 1.2 * spec.size * scale;
    box.top = 0;
    return box;
}

// ---- RecordingCanvas ----

Result<void> RecordingCanvas::begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) {
    DrawOp op;
    op.kind = DrawOp::Kind::Begin;
    op.width = width;
    op.height = height;
    op.area = area;
    ops.push_back(std::move(op));
    return {};
}

Result<void> RecordingCanvas::present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                              std::int32_t height, const PixelRect& area) {
    DrawOp op;
    op.kind = DrawOp::Kind::Present;
    op.x = x;
    op.y = y;
    op.width = width;
    op.height = height;
    op.area = area;
    ops.push_back(std::move(op));
    return {};
}

void RecordingCanvas::push_clip(const PixelRect& rect) {
    DrawOp op;
    op.kind = DrawOp::Kind::PushClip;
    op.area = rect;
    ops.push_back(std::move(op));
}

void RecordingCanvas::pop_clip() {
    DrawOp op;
    op.kind = DrawOp::Kind::PopClip;
    ops.push_back(std::move(op));
}

void RecordingCanvas::set_transform(double dx, double dy) {
    DrawOp op;
    op.kind = DrawOp::Kind::SetTransform;
    op.dx = dx;
    op.dy = dy;
    ops.push_back(std::move(op));
}

void RecordingCanvas::push_layer(double opacity) {
    DrawOp op;
    op.kind = DrawOp::Kind::PushLayer;
    op.opacity = opacity;
    ops.push_back(std::move(op));
}

void RecordingCanvas::pop_layer() {
    DrawOp op;
    op.kind = DrawOp::Kind::PopLayer;
    ops.push_back(std::move(op));
}

void RecordingCanvas::fill_rectangle(const RectF& rect, const Rgb& color, double alpha) {
    DrawOp op;
    op.kind = DrawOp::Kind::FillRect;
    op.rect = rect;
    op.color = color;
    op.alpha = alpha;
    ops.push_back(std::move(op));
}

void RecordingCanvas::fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                                   double alpha) {
    DrawOp op;
    op.kind = DrawOp::Kind::FillEllipse;
    op.center = center;
    op.radius_x = radius_x;
    op.radius_y = radius_y;
    op.color = color;
    op.alpha = alpha;
    ops.push_back(std::move(op));
}

void RecordingCanvas::draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) {
    DrawOp op;
    op.kind = DrawOp::Kind::DrawText;
    // A box made by another text service records its position and colour only.
    if (const auto* recorded = dynamic_cast<const RecordedText*>(box.handle.get())) {
        op.text = recorded->text;
        op.spec = recorded->spec;
        op.fit = recorded->fit;
    }
    op.origin = origin;
    op.color = color;
    op.alpha = alpha;
    ops.push_back(std::move(op));
}

}  // namespace tolmin
