#include "report/layout_json.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tolmin {
namespace {

TEST(LayoutJson, FieldsInDeclarationOrderAndBlockKindsByName) {
    Layout layout;
    layout.scale = 1.25;
    layout.stroke = 1;
    layout.width = 585;
    layout.height = 398;
    layout.margin_x = 20;
    layout.margin_y = 30;
    layout.anchor = Anchor::TopRight;
    layout.blocks = {
        Block{{BlockKind::Type::Hud, 0}, 1, 0, 200, 0, 375, 65},
        Block{{BlockKind::Type::Night, 0}, 1, 0, 353, 80, 222, 53},
        Block{{BlockKind::Type::Alert, 1}, 1, 0, 0, 218, 575, 65},
        Block{{BlockKind::Type::Toast, 4}, 0.5, 5, 0, 293, 575, 105},
    };
    JsonWriter json;
    write_layout(json, layout);
    EXPECT_EQ(json.text(),
              R"({"blocks":[{"kind":"hud","index":null,"alpha":1,"slide":0,"x":200,"y":0,"w":375,"h":65},)"
              R"({"kind":"night","index":null,"alpha":1,"slide":0,"x":353,"y":80,"w":222,"h":53},)"
              R"({"kind":"alert","index":1,"alpha":1,"slide":0,"x":0,"y":218,"w":575,"h":65},)"
              R"({"kind":"toast","index":4,"alpha":0.5,"slide":5,"x":0,"y":293,"w":575,"h":105}],)"
              R"("scale":1.25,"stroke":1,"width":585,"height":398,"margin_x":20,"margin_y":30,)"
              R"("anchor":"top-right"})");
}

TEST(LayoutJson, AnEmptyLayoutAndExtremePixels) {
    Layout layout;
    layout.margin_x = -2147483647 - 1;
    layout.margin_y = 2147483647;
    JsonWriter json;
    write_layout(json, layout);
    EXPECT_EQ(json.text(), R"({"blocks":[],"scale":1,"stroke":1,"width":0,"height":0,"margin_x":-2147483648,)"
                           R"("margin_y":2147483647,"anchor":"bottom-right"})");
}

TEST(LayoutJson, NextRepaintAsTheTimerSeesIt) {
    struct Case {
        NextRepaint next;
        double now;
        const char* out;
    };
    const Case cases[] = {
        {{NextRepaint::Kind::Now, 0}, 1000, R"("now")"},
        {{NextRepaint::Kind::Never, 0}, 1000, "null"},
        {{NextRepaint::Kind::At, 6000}, 1000, R"({"at":6000,"wait_ms":5000})"},
        {{NextRepaint::Kind::At, 1000.2}, 1000, R"({"at":1000.2,"wait_ms":1})"},
        {{NextRepaint::Kind::At, 71000}, 1000, R"({"at":71000,"wait_ms":60000})"},
    };
    for (const Case& c : cases) {
        JsonWriter json;
        write_next_repaint(json, c.next, c.now);
        EXPECT_EQ(json.text(), c.out);
    }
}

}  // namespace
}  // namespace tolmin
