#include "frame/layout_json.hpp"

namespace tolmin {

const char* block_type_name(BlockKind::Type type) {
    switch (type) {
        case BlockKind::Type::Hud:
            return "hud";
        case BlockKind::Type::Night:
            return "night";
        case BlockKind::Type::Alert:
            return "alert";
        case BlockKind::Type::Toast:
            return "toast";
    }
    return "hud";
}

void write_block(JsonWriter& json, const Block& block) {
    json.begin_object();
    json.key("kind").string(block_type_name(block.kind.type));
    json.key("index");
    if (block.kind.type == BlockKind::Type::Alert || block.kind.type == BlockKind::Type::Toast) {
        json.unsigned_integer(block.kind.index);
    } else {
        json.null();
    }
    json.key("alpha").number(block.alpha);
    json.key("slide").number(block.slide);
    json.key("x").integer(block.x);
    json.key("y").integer(block.y);
    json.key("w").integer(block.w);
    json.key("h").integer(block.h);
    json.end_object();
}

void write_layout(JsonWriter& json, const Layout& layout) {
    json.begin_object();
    json.key("blocks").begin_array();
    for (const Block& block : layout.blocks) write_block(json, block);
    json.end_array();
    json.key("scale").number(layout.scale);
    json.key("stroke").number(layout.stroke);
    json.key("width").integer(layout.width);
    json.key("height").integer(layout.height);
    json.key("margin_x").integer(layout.margin_x);
    json.key("margin_y").integer(layout.margin_y);
    json.key("anchor").string(anchor_name(layout.anchor));
    json.end_object();
}

void write_next_repaint(JsonWriter& json, const NextRepaint& next, double now_ms) {
    switch (next.kind) {
        case NextRepaint::Kind::Now:
            json.string("now");
            return;
        case NextRepaint::Kind::At: {
            json.begin_object();
            json.key("at").number(next.at);
            json.key("wait_ms");
            const auto wait = repaint_wait_ms(next, now_ms);
            if (wait) {
                json.unsigned_integer(*wait);
            } else {
                json.null();
            }
            json.end_object();
            return;
        }
        case NextRepaint::Kind::Never:
            json.null();
            return;
    }
}

void write_damage(JsonWriter& json, const Damage& damage) {
    if (damage.whole) {
        json.string("all");
        return;
    }
    json.begin_array();
    for (const PixelRect& part : damage.parts) {
        json.begin_array()
            .integer(part.x)
            .integer(part.y)
            .integer(part.width)
            .integer(part.height)
            .end_array();
    }
    json.end_array();
}

}  // namespace tolmin
