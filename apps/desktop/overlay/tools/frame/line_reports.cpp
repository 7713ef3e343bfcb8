#include "frame/line_reports.hpp"

#include "frame/draw_ops_json.hpp"
#include "frame/frame_json.hpp"
#include "frame/layout_json.hpp"
#include "frame/report_writer.hpp"
#include "layout/frame_plan.hpp"
#include "layout/repaint.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"

namespace tolmin {
namespace {

JsonWriter& begin_report(JsonWriter& json, std::size_t line) {
    return json.begin_object().key("line").unsigned_integer(line);
}

}  // namespace

std::string error_report(std::size_t line, std::string_view text) {
    JsonWriter json;
    begin_report(json, line).key("error").string(text).end_object();
    return json.take();
}

std::string check_report(std::size_t line, const Frame& frame) {
    JsonWriter json;
    begin_report(json, line).key("frame");
    write_frame(json, frame);
    json.end_object();
    return json.take();
}

std::string layout_report(std::size_t line, const Frame& frame, const std::vector<Monitor>& monitors,
                          double now_ms, TextService& text, std::optional<ShownPicture>& shown) {
    const FramePlan applied = plan_frame(frame, monitors, now_ms, text);
    JsonWriter json;
    begin_report(json, line);
    if (!applied.monitor) {
        shown.reset();
        json.key("monitor").null();
        json.key("scale").null();
        json.key("layout").null();
        json.key("window").null();
        json.key("next_repaint").null();
        json.key("damage").null();
        json.end_object();
        return json.take();
    }
    json.key("monitor").unsigned_integer(*applied.monitor);
    json.key("scale").number(applied.scale);
    json.key("layout");
    write_layout(json, applied.layout);
    json.key("window");
    if (applied.window) {
        json.begin_object().key("x").integer(applied.window->x).key("y").integer(applied.window->y);
        json.end_object();
        json.key("next_repaint");
        write_next_repaint(json, next_repaint(frame.toasts, now_ms), now_ms);
        ShownPicture next = shown_picture(frame, applied.layout, monitors[*applied.monitor], *applied.window);
        json.key("damage");
        write_damage(json, damage_between(shown, next));
        shown = std::move(next);
    } else {
        shown.reset();
        json.null();
        json.key("next_repaint").null();  // a hidden overlay arms no timer
        json.key("damage").null();
    }
    json.end_object();
    return json.take();
}

std::string paint_report(std::size_t line, const Frame& frame, const std::vector<Monitor>& monitors,
                         double now_ms, TextService& text) {
    const FramePlan applied = plan_frame(frame, monitors, now_ms, text);
    RecordingCanvas canvas;
    if (applied.window) {
        // The recording canvas never fails to begin or present, so the result carries nothing to report.
        static_cast<void>(
            paint_frame(canvas, text, applied.window->x, applied.window->y, frame, applied.layout));
    }
    JsonWriter json;
    begin_report(json, line).key("ops");
    write_draw_ops(json, canvas.ops);
    json.end_object();
    return json.take();
}

}  // namespace tolmin
