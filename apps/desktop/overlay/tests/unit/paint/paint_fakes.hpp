#pragma once
// Test doubles for the painter: a text service whose widths the test chooses, a canvas that cannot make the
// brush of one colour, and filters over a recorded operation stream.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "paint/canvas.hpp"
#include "paint/recording_canvas.hpp"

namespace tolmin::test {

// Natural widths come from `widths` (texts not listed are `fallback_width` wide); a fitted box is
// min(natural, max(fit, 0)) wide. Heights are 1.2 x size x scale, `top` as set. Every request is logged.
class MapTextService final : public TextService {
public:
    std::map<std::string, double, std::less<>> widths;
    double fallback_width = 10;
    double top = 0;
    std::set<std::string, std::less<>> failing;       // no box at all
    std::set<std::string, std::less<>> failing_fits;  // only the trimmed box cannot be made

    struct Request {
        std::string text;
        TextSpec spec;
        std::optional<double> fit;
    };
    std::vector<Request> requests;

    double measure_text(std::string_view text, const TextSpec&, double) override {
        auto it = widths.find(text);
        return it == widths.end() ? fallback_width : it->second;
    }

    std::optional<TextBox> text_box(std::string_view text, const TextSpec& spec, double scale,
                                    std::optional<double> fit) override {
        requests.push_back({std::string(text), spec, fit});
        if (failing.count(text) || (fit && failing_fits.count(text))) return std::nullopt;
        TextBox box;
        box.width = measure_text(text, spec, scale);
        if (fit) box.width = std::min(box.width, *fit > 0 ? *fit : 0.0);
        box.height = 1.2 * spec.size * scale;
        box.top = top;
        box.handle = std::make_unique<RecordedText>(std::string(text), spec, fit);
        return box;
    }

    int requests_for(std::string_view text) const {
        int n = 0;
        for (const auto& r : requests) n += r.text == text ? 1 : 0;
        return n;
    }
};

// Records into `inner`, except that a brush of the colour `failing` cannot be made.
class BrushFailingCanvas final : public Canvas {
public:
    BrushFailingCanvas(RecordingCanvas& inner, Rgb failing) : inner_(inner), failing_(failing) {}
    Result<void> begin_surface(std::int32_t w, std::int32_t h) override { return inner_.begin_surface(w, h); }
    Result<void> present_surface(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        return inner_.present_surface(x, y, w, h);
    }
    void set_transform(double dx, double dy) override { inner_.set_transform(dx, dy); }
    void push_layer(double opacity) override { inner_.push_layer(opacity); }
    void pop_layer() override { inner_.pop_layer(); }
    void fill_rectangle(const RectF& r, const Rgb& c, double a) override {
        if (c != failing_) inner_.fill_rectangle(r, c, a);
    }
    void fill_ellipse(const PointF& p, double rx, double ry, const Rgb& c, double a) override {
        if (c != failing_) inner_.fill_ellipse(p, rx, ry, c, a);
    }
    void draw_text(const TextBox& b, const PointF& o, const Rgb& c, double a) override {
        if (c != failing_) inner_.draw_text(b, o, c, a);
    }

private:
    RecordingCanvas& inner_;
    Rgb failing_;
};

inline std::vector<DrawOp> ops_of(const std::vector<DrawOp>& ops, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    for (const auto& op : ops) {
        if (op.kind == kind) out.push_back(op);
    }
    return out;
}

inline int times_drawn(const std::vector<DrawOp>& ops, std::string_view text) {
    int n = 0;
    for (const auto& op : ops) n += op.kind == DrawOp::Kind::DrawText && op.text == text ? 1 : 0;
    return n;
}

// The op that drew `text`; fails the test (and gives an empty op) unless it was drawn exactly once.
inline DrawOp drawn(const std::vector<DrawOp>& ops, std::string_view text) {
    EXPECT_EQ(times_drawn(ops, text), 1) << "text: " << text;
    for (const auto& op : ops) {
        if (op.kind == DrawOp::Kind::DrawText && op.text == text) return op;
    }
    return DrawOp{};
}

inline ::testing::AssertionResult same_rect(const RectF& got, const RectF& want) {
    auto near = [](double x, double y) { return std::abs(x - y) < 1e-9; };
    if (near(got.left, want.left) && near(got.top, want.top) && near(got.right, want.right) &&
        near(got.bottom, want.bottom)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got {" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom << "}, want {"
           << want.left << ", " << want.top << ", " << want.right << ", " << want.bottom << "}";
}

// What a DrawText op should carry; `y` is the origin's y. Checks text, style, fit, origin, colour and alpha.
struct TextAt {
    std::string text;
    TextSpec spec;
    double x = 0, y = 0;
    Rgb color;
    std::optional<double> fit = std::nullopt;
    double alpha = 1.0;
};

inline void expect_text(const DrawOp& op, const TextAt& want) {
    EXPECT_EQ(op.kind, DrawOp::Kind::DrawText);
    EXPECT_EQ(op.text, want.text);
    EXPECT_EQ(op.spec, want.spec) << want.text;
    EXPECT_EQ(op.fit, want.fit) << want.text;
    EXPECT_NEAR(op.origin.x, want.x, 1e-9) << want.text;
    EXPECT_NEAR(op.origin.y, want.y, 1e-9) << want.text;
    EXPECT_EQ(op.color, want.color) << want.text;
    EXPECT_DOUBLE_EQ(op.alpha, want.alpha) << want.text;
}

// y of a text's origin when its box is centred on cy.
inline double centred_y(double cy, const TextSpec& spec, double scale, double top = 0) {
    return cy - 1.2 * spec.size * scale / 2 - top;
}

}  // namespace tolmin::test
