#pragma once
// The drawing interface the painter draws through, and the text service it makes text boxes with. The
// operations mirror the Direct2D calls of the Windows backend, with the same arguments; a recording
// implementation serves the tests and the frame checker.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "base/result.hpp"
#include "layout/layout.hpp"
#include "paint/color.hpp"
#include "paint/pixel_rect.hpp"
#include "text/text_style.hpp"

namespace tolmin {

struct RectF {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct PointF {
    double x = 0, y = 0;
};

// Whatever the backend needs to draw a text box again (a DirectWrite text layout; in the recorder, the text,
// its style and its fitting width).
class TextHandle {
public:
    virtual ~TextHandle() = default;
};

struct TextBox {
    std::unique_ptr<TextHandle> handle;
    double width = 0;
    double height = 0;
    double top = 0;
};

class TextService : public TextMeasurer {
public:
    // A laid-out text, trimmed with an ellipsis to `fit` when given; nothing when it cannot be made.
    virtual std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                            std::optional<double> fit) = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Makes the surface at least width x height, binds it and begins drawing into `area` of it, which is
    // cleared to transparent; nothing outside `area` is touched, so the rest of the picture stays as it was.
    virtual Result<void> begin_surface(std::int32_t width, std::int32_t height, const PixelRect& area) = 0;
    // Ends drawing and hands the picture to the window at (x, y) with the given size; only `area` of it is
    // new (the whole picture when `area` is all of it).
    virtual Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t width,
                                         std::int32_t height, const PixelRect& area) = 0;
    // Confines what is drawn until the matching pop_clip to `rect` (in the picture's pixels, whatever the
    // transform), within any clip already pushed.
    virtual void push_clip(const PixelRect& rect) = 0;
    virtual void pop_clip() = 0;
    // A translation matrix; (0, 0) is the identity.
    virtual void set_transform(double dx, double dy) = 0;
    virtual void push_layer(double opacity) = 0;
    virtual void pop_layer() = 0;
    // Each shape and text gets a brush of its own; when the brush cannot be made, nothing is drawn.
    virtual void fill_rectangle(const RectF& rect, const Rgb& color, double alpha) = 0;
    virtual void fill_ellipse(const PointF& center, double radius_x, double radius_y, const Rgb& color,
                              double alpha) = 0;
    virtual void draw_text(const TextBox& box, const PointF& origin, const Rgb& color, double alpha) = 0;
};

}  // namespace tolmin
