// What the painter does when the drawing system refuses something: a surface that cannot be begun or
// presented ends the paint with its error; a missing brush or text box leaves out only its own element.
// (Successful paints are pinned by the golden reports.)

#include <gtest/gtest.h>

#include <set>

#include "layout/layout.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"
#include "unit/paint/failing_canvas.hpp"
#include "unit/support/builders.hpp"

namespace tolmin {
namespace {

using Kind = DrawOp::Kind;
constexpr double NOW = 1.7e12;

// The recorder's text service, except that the texts in `failing` cannot be laid out at all and those in
// `no_fit` have no trimmed box.
struct FitFailingText final : TextService {
    FixedTextService inner;
    std::set<std::string, std::less<>> failing, no_fit;
    double measure_text(std::string_view t, const TextSpec& s, double k) override {
        return failing.count(t) ? 0.0 : inner.measure_text(t, s, k);
    }
    std::optional<TextBox> text_box(std::string_view t, const TextSpec& s, double k,
                                    std::optional<double> fit) override {
        if (failing.count(t) || (fit && no_fit.count(t))) return std::nullopt;
        return inner.text_box(t, s, k, fit);
    }
};

const std::string LONG = "a text far too long to fit in any row of the overlay at all, so it is trimmed";

std::vector<DrawOp> paint(const Frame& frame, FitFailingText& text, RecordingCanvas canvas = {}) {
    const Layout layout = layout_frame(frame, 1.0, NOW, text);
    EXPECT_TRUE(paint_frame(canvas, text, 0, 0, frame, layout).ok());
    return canvas.ops;
}

std::multiset<std::string> texts(const std::vector<DrawOp>& ops) {
    std::multiset<std::string> out;
    for (const auto& op : ops) {
        if (op.kind == Kind::DrawText) out.insert(op.text + (op.fit ? " (fitted)" : ""));
    }
    return out;
}

TEST(PaintFailures, AMissingTextBoxLeavesOutOnlyWhatNeedsIt) {
    const Toast same = [] {
        Toast t = test::toast(ToastKind::Same, NOW - 1000, NOW + 9000, "T");
        t.index = "7";
        t.detail = "D";
        return t;
    }();
    Frame night_frame;
    night_frame.night = Night{"TAG " + LONG, LONG};
    const struct {
        const char* name;
        Frame frame;
        std::vector<std::string> failing, no_fit;
        std::multiset<std::string> drawn;
    } cases[] = {
        {"alert title untrimmed", test::frame({test::alert(LONG, "D")}), {}, {LONG}, {LONG, "D"}},
        {"alert title missing ends the row", test::frame({test::alert(LONG, "D")}), {LONG}, {}, {}},
        {"night tag and title", night_frame, {}, {"TAG " + LONG, LONG}, {}},
        {"toast index takes no room", test::frame({}, {same}), {"7"}, {}, {"T", "D"}},
        {"toast title ends the row", test::frame({}, {same}), {"T"}, {}, {"7"}},
    };
    for (const auto& c : cases) {
        FitFailingText text;
        text.failing = {c.failing.begin(), c.failing.end()};
        text.no_fit = {c.no_fit.begin(), c.no_fit.end()};
        EXPECT_EQ(texts(paint(c.frame, text)), c.drawn) << c.name;
    }
}

TEST(PaintFailures, BrushesAndSurfaces) {
    Frame frame =
        test::frame({test::alert("A")}, {test::toast(ToastKind::Caller, NOW - 60, NOW + 9000, "C")});
    frame.hud = Hud{std::nullopt, "S", std::nullopt, "E", "P"};
    FitFailingText text;
    const Layout layout = layout_frame(frame, 1.0, NOW, text);
    const auto outcome = [&](test::FailingCanvas& canvas) {
        const Result<void> painted = paint_frame(canvas, text, 0, 0, frame, layout);
        std::string kinds;
        for (const auto& op : canvas.ops) kinds += "BTCcLlREXP"[static_cast<int>(op.kind)];
        return (painted.ok() ? "ok " : painted.error().text + " ") + kinds;
    };
    test::FailingCanvas no_brushes, no_surface, no_window;
    no_brushes.fail_brushes = true;
    no_surface.fail_begin = Error{"no surface"};
    no_window.fail_present = Error{"no window"};
    EXPECT_EQ(outcome(no_brushes),
              "ok BCTcCTcCTLlcTP");  // no shape and no text, every block clipped, moved and faded
    EXPECT_EQ(outcome(no_surface), "no surface ");
    EXPECT_EQ(outcome(no_window).substr(0, 10), "no window ");
}

}  // namespace
}  // namespace tolmin
