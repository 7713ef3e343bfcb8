#pragma once
// A recorded drawing operation as one line of words: its name as `tolmin-frame paint` writes it, then its
// numbers (to six significant digits), e.g. "fill_rect 1 1 13 51" or "draw_text title#300 fit 230 at
// 31 11.6". Colours are left out.

#include <sstream>
#include <string>

#include "paint/recording_canvas.hpp"

namespace tolmin::test {

inline std::string op_text(const DrawOp& op) {
    std::ostringstream out;
    switch (op.kind) {
        case DrawOp::Kind::Begin:
            out << "begin " << op.width << ' ' << op.height;
            break;
        case DrawOp::Kind::SetTransform:
            out << "set_transform " << op.dx << ' ' << op.dy;
            break;
        case DrawOp::Kind::PushClip:
            out << "push_clip " << op.area.x << ' ' << op.area.y << ' ' << op.area.width << ' '
                << op.area.height;
            break;
        case DrawOp::Kind::PopClip:
            out << "pop_clip";
            break;
        case DrawOp::Kind::PushLayer:
            out << "push_layer " << op.opacity;
            break;
        case DrawOp::Kind::PopLayer:
            out << "pop_layer";
            break;
        case DrawOp::Kind::FillRect:
            out << "fill_rect " << op.rect.left << ' ' << op.rect.top << ' ' << op.rect.right << ' '
                << op.rect.bottom;
            break;
        case DrawOp::Kind::FillEllipse:
            out << "fill_ellipse " << op.center.x << ' ' << op.center.y << ' ' << op.radius_x << ' '
                << op.radius_y;
            break;
        case DrawOp::Kind::DrawText:
            out << "draw_text " << op.text;
            if (op.fit) out << " fit " << *op.fit;
            out << " at " << op.origin.x << ' ' << op.origin.y;
            break;
        case DrawOp::Kind::Present:
            out << "present " << op.x << ' ' << op.y << ' ' << op.width << ' ' << op.height;
            break;
    }
    return out.str();
}

}  // namespace tolmin::test
