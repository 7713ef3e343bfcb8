// The JSON pieces of the checker's reports that a whole report does not show: numbers at the edges of their
// forms, every drawing operation, and the repaint timer's states.

#include <gtest/gtest.h>

#include <limits>

#include "frame/draw_ops_json.hpp"
#include "frame/layout_json.hpp"

namespace tolmin {
namespace {

TEST(ReportJson, NumbersReadBackInPlainDecimalBetween1eMinus7And1e21) {
    const std::pair<double, const char*> cases[] = {
        {1796544000000, "1796544000000"},
        {-0.0, "-0"},
        {0.1, "0.1"},
        {1e-7, "0.0000001"},
        {9.9e-8, "9.9e-08"},
        {1e21, "1e+21"},
        {123456789e12, "123456788999999995904"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(report_number(value), text) << value;
    JsonWriter json;
    json.begin_array()
        .number(2.5)
        .number(std::numeric_limits<double>::infinity())
        .string("\x1f\xff\"")
        .end_array();
    EXPECT_EQ(json.take(), "[2.5,null,\"\\u001f\xEF\xBF\xBD\\\"\"]");
}

DrawOp op_of(DrawOp::Kind kind) {
    DrawOp op;
    op.kind = kind;
    op.x = -3840, op.y = 1004, op.width = 212, op.height = 52;
    op.dx = -4.5, op.dy = 60, op.opacity = 0.25;
    op.rect = {0, 1, 204, 52};
    op.center = {20, 26};
    op.radius_x = 5, op.radius_y = 5.5;
    op.color = rgb_bytes(255, 0, 51);
    op.alpha = 0.9;
    op.text = "LIVE \"now\"";
    op.spec = TOAST_TITLE;
    op.fit = 300;
    op.origin = {36, 12.5};
    op.area = {2, 3, 40, 50};
    return op;
}

TEST(ReportJson, EachDrawingOperationWithItsArguments) {
    DrawOp odd = op_of(DrawOp::Kind::DrawText);
    odd.fit.reset();
    odd.spec = TextSpec{13, 0.5, 300, true};  // none of the program's styles
    std::vector<DrawOp> ops;
    for (int kind = 0; kind <= static_cast<int>(DrawOp::Kind::Present); ++kind) {
        ops.push_back(op_of(static_cast<DrawOp::Kind>(kind)));
    }
    ops.push_back(odd);
    JsonWriter json;
    write_draw_ops(json, ops);
    EXPECT_EQ(json.take(),
              R"([{"op":"begin","width":212,"height":52,"area":[2,3,40,50]},)"
              R"({"op":"set_transform","dx":-4.5,"dy":60},{"op":"push_clip","area":[2,3,40,50]},)"
              R"({"op":"pop_clip"},{"op":"push_layer","opacity":0.25},{"op":"pop_layer"},)"
              R"({"op":"fill_rect","rect":[0,1,204,52],"rgba":[1,0,0.2,0.9]},)"
              R"({"op":"fill_ellipse","center":[20,26],"radius":[5,5.5],"rgba":[1,0,0.2,0.9]},)"
              R"({"op":"draw_text","text":"LIVE \"now\"","style":"TOAST_TITLE","fit":300,"origin":[36,12.5],)"
              R"("rgba":[1,0,0.2,0.9]},{"op":"present","x":-3840,"y":1004,"width":212,"height":52,)"
              R"("area":[2,3,40,50]},)"
              R"({"op":"draw_text","text":"LIVE \"now\"","style":{"size":13,"tracking":0.5,"weight":300,)"
              R"("mono":true},"fit":null,"origin":[36,12.5],"rgba":[1,0,0.2,0.9]}])");
}

TEST(ReportJson, NextRepaintAsTheTimerSeesIt) {
    JsonWriter json;
    json.begin_array();
    write_next_repaint(json, {NextRepaint::Kind::Now, 0}, 1000);
    write_next_repaint(json, {NextRepaint::Kind::Never, 0}, 1000);
    write_next_repaint(json, {NextRepaint::Kind::At, 1000.2}, 1000);
    EXPECT_EQ(json.end_array().take(), R"(["now",null,{"at":1000.2,"wait_ms":1}])");
}

}  // namespace
}  // namespace tolmin
