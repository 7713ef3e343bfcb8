#include "frame/draw_ops_json.hpp"

#include <string_view>

#include "text/text_style.hpp"

namespace tolmin {
namespace {

void rect(JsonWriter& json, std::string_view key, const PixelRect& r) {
    json.key(key).begin_array().integer(r.x).integer(r.y).integer(r.width).integer(r.height).end_array();
}

void pair(JsonWriter& json, double first, double second) {
    json.begin_array().number(first).number(second).end_array();
}

void rgba(JsonWriter& json, const Rgb& color, double alpha) {
    json.key("rgba").begin_array().number(color.r).number(color.g).number(color.b).number(alpha).end_array();
}

// A style by its name; a spec that is none of the program's styles is written out field by field.
void style(JsonWriter& json, const TextSpec& spec) {
    const std::string_view name = style_name(spec);
    if (!name.empty()) {
        json.string(name);
        return;
    }
    json.begin_object();
    json.key("size").number(spec.size);
    json.key("tracking").number(spec.tracking);
    json.key("weight").unsigned_integer(spec.weight);
    json.key("mono").boolean(spec.mono);
    json.end_object();
}

}  // namespace

void write_draw_op(JsonWriter& json, const DrawOp& op) {
    json.begin_object();
    switch (op.kind) {
        case DrawOp::Kind::Begin:
            json.key("op").string("begin");
            json.key("width").integer(op.width);
            json.key("height").integer(op.height);
            rect(json, "area", op.area);
            break;
        case DrawOp::Kind::SetTransform:
            json.key("op").string("set_transform");
            json.key("dx").number(op.dx);
            json.key("dy").number(op.dy);
            break;
        case DrawOp::Kind::PushClip:
            json.key("op").string("push_clip");
            rect(json, "area", op.area);
            break;
        case DrawOp::Kind::PopClip:
            json.key("op").string("pop_clip");
            break;
        case DrawOp::Kind::PushLayer:
            json.key("op").string("push_layer");
            json.key("opacity").number(op.opacity);
            break;
        case DrawOp::Kind::PopLayer:
            json.key("op").string("pop_layer");
            break;
        case DrawOp::Kind::FillRect:
            json.key("op").string("fill_rect");
            json.key("rect").begin_array();
            json.number(op.rect.left).number(op.rect.top).number(op.rect.right).number(op.rect.bottom);
            json.end_array();
            rgba(json, op.color, op.alpha);
            break;
        case DrawOp::Kind::FillEllipse:
            json.key("op").string("fill_ellipse");
            json.key("center");
            pair(json, op.center.x, op.center.y);
            json.key("radius");
            pair(json, op.radius_x, op.radius_y);
            rgba(json, op.color, op.alpha);
            break;
        case DrawOp::Kind::DrawText:
            json.key("op").string("draw_text");
            json.key("text").string(op.text);
            json.key("style");
            style(json, op.spec);
            json.key("fit");
            if (op.fit) {
                json.number(*op.fit);
            } else {
                json.null();
            }
            json.key("origin");
            pair(json, op.origin.x, op.origin.y);
            rgba(json, op.color, op.alpha);
            break;
        case DrawOp::Kind::Present:
            json.key("op").string("present");
            json.key("x").integer(op.x);
            json.key("y").integer(op.y);
            json.key("width").integer(op.width);
            json.key("height").integer(op.height);
            rect(json, "area", op.area);
            break;
    }
    json.end_object();
}

void write_draw_ops(JsonWriter& json, const std::vector<DrawOp>& ops) {
    json.begin_array();
    for (const DrawOp& op : ops) write_draw_op(json, op);
    json.end_array();
}

}  // namespace tolmin
