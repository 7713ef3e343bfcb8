#pragma once
// A drawing interface that records every operation with its arguments (tests, the frame checker's `paint`),
// and the deterministic text service that goes with it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "paint/canvas.hpp"

namespace tolmin {

// A text of n Unicode scalar values measures n x scale x size x (advance + tracking) pixels wide and
// 1.2 x size x scale high, top 0; with a fitting width W its box is min(natural, max(W, 0)) wide.
class FixedTextService : public TextService {
public:
    explicit FixedTextService(double advance = 0.5) : advance_(advance) {}
    double measure_text(std::string_view text, const TextSpec& spec, double scale) override;
    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override;

private:
    double advance_;
};

// What FixedTextService (or any test service) keeps in a TextBox's handle.
struct RecordedText final : TextHandle {
    RecordedText(std::string t, TextSpec s, std::optional<double> f) : text(std::move(t)), spec(s), fit(f) {}
    std::string text;
    TextSpec spec;
    std::optional<double> fit;
};

struct DrawOp {
    enum class Kind {
        Begin,
        SetTransform,
        PushClip,
        PopClip,
        PushLayer,
        PopLayer,
        FillRect,
        FillEllipse,
        DrawText,
        Present
    };
    Kind kind = Kind::Begin;
    std::int32_t x = 0, y = 0, width = 0, height = 0;  // Begin (width, height), Present (all four)
    PixelRect area;                                    // Begin, Present (the part drawn), PushClip
    double dx = 0, dy = 0;                             // SetTransform
    double opacity = 0;                                // PushLayer
    RectF rect;                                        // FillRect
    PointF center;                                     // FillEllipse
    double radius_x = 0, radius_y = 0;                 // FillEllipse
    Rgb color;                                         // FillRect, FillEllipse, DrawText
    double alpha = 1;                                  // FillRect, FillEllipse, DrawText
    std::string text;                                  // DrawText
    TextSpec spec;                                     // DrawText
    std::optional<double> fit;                         // DrawText
    PointF origin;                                     // DrawText
};

class RecordingCanvas : public Canvas {
public:
    Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) override;
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 const PixelRect& area) override;
    void push_clip(const PixelRect& rect) override;
    void pop_clip() override;
    void set_transform(double dx, double dy) override;
    void push_layer(double opacity) override;
    void pop_layer() override;
    void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) override;
    void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                      double alpha) override;
    void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) override;

    std::vector<DrawOp> ops;
};

}  // namespace tolmin
