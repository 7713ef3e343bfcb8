#include "report/draw_ops_json.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolmin {
namespace {

std::string to_json(const DrawOp& op) {
    JsonWriter json;
    write_draw_op(json, op);
    return json.take();
}

TEST(DrawOpsJson, EachOperationWithItsArguments) {
    DrawOp begin;
    begin.kind = DrawOp::Kind::Begin;
    begin.width = 212;
    begin.height = 52;
    EXPECT_EQ(to_json(begin), R"({"op":"begin","width":212,"height":52})");

    DrawOp transform;
    transform.kind = DrawOp::Kind::SetTransform;
    transform.dx = -4.5;
    transform.dy = 60;
    EXPECT_EQ(to_json(transform), R"({"op":"set_transform","dx":-4.5,"dy":60})");

    DrawOp push;
    push.kind = DrawOp::Kind::PushLayer;
    push.opacity = 0.25;
    EXPECT_EQ(to_json(push), R"({"op":"push_layer","opacity":0.25})");

    DrawOp pop;
    pop.kind = DrawOp::Kind::PopLayer;
    EXPECT_EQ(to_json(pop), R"({"op":"pop_layer"})");

    DrawOp rect;
    rect.kind = DrawOp::Kind::FillRect;
    rect.rect = {0, 1, 204, 52};
    rect.color = rgb_bytes(255, 0, 51);
    rect.alpha = 0.9;
    EXPECT_EQ(to_json(rect), R"({"op":"fill_rect","rect":[0,1,204,52],"rgba":[1,0,0.2,0.9]})");

    DrawOp ellipse;
    ellipse.kind = DrawOp::Kind::FillEllipse;
    ellipse.center = {20, 26};
    ellipse.radius_x = 5;
    ellipse.radius_y = 5.5;
    ellipse.color = Rgb{0.5, 0.25, 1};
    EXPECT_EQ(to_json(ellipse),
              R"({"op":"fill_ellipse","center":[20,26],"radius":[5,5.5],"rgba":[0.5,0.25,1,1]})");

    DrawOp text;
    text.kind = DrawOp::Kind::DrawText;
    text.text = "LIVE \"now\"";
    text.spec = TOAST_TITLE;
    text.fit = 300;
    text.origin = {36, 12.5};
    text.color = Rgb{1, 1, 1};
    text.alpha = 0.5;
    EXPECT_EQ(to_json(text), R"({"op":"draw_text","text":"LIVE \"now\"","style":"TOAST_TITLE","fit":300,)"
                             R"("origin":[36,12.5],"rgba":[1,1,1,0.5]})");
    text.fit.reset();
    text.spec = TextSpec{13, 0.5, 300, true};  // none of the program's styles
    EXPECT_EQ(to_json(text), R"({"op":"draw_text","text":"LIVE \"now\"",)"
                             R"("style":{"size":13,"tracking":0.5,"weight":300,"mono":true},"fit":null,)"
                             R"("origin":[36,12.5],"rgba":[1,1,1,0.5]})");

    DrawOp present;
    present.kind = DrawOp::Kind::Present;
    present.x = -3840;
    present.y = 1004;
    present.width = 212;
    present.height = 52;
    EXPECT_EQ(to_json(present), R"({"op":"present","x":-3840,"y":1004,"width":212,"height":52})");
}

TEST(DrawOpsJson, AnArrayOfOperations) {
    std::vector<DrawOp> ops(2);
    ops[1].kind = DrawOp::Kind::PopLayer;
    JsonWriter json;
    write_draw_ops(json, ops);
    EXPECT_EQ(json.text(), R"([{"op":"begin","width":0,"height":0},{"op":"pop_layer"}])");
    JsonWriter empty;
    write_draw_ops(empty, {});
    EXPECT_EQ(empty.text(), "[]");
}

}  // namespace
}  // namespace tolmin
