#include "frame/frame_json.hpp"

#include <variant>

#include "model/parse_frame.hpp"

namespace tolmin {
namespace {

void write_hud(JsonWriter& json, const Hud& hud) {
    json.begin_object();
    json.key("dot").optional_string(hud.dot);
    json.key("state").string(hud.state);
    json.key("state_color").optional_string(hud.state_color);
    json.key("elapsed").string(hud.elapsed);
    json.key("presence").optional_string(hud.presence);
    json.end_object();
}

void write_night(JsonWriter& json, const Night& night) {
    json.begin_object();
    json.key("tag").optional_string(night.tag);
    json.key("title").string(night.title);
    json.end_object();
}

void write_alert(JsonWriter& json, const Alert& alert) {
    json.begin_object();
    json.key("id").string(alert.id);
    json.key("bar").optional_string(alert.bar);
    json.key("title").string(alert.title);
    json.key("title_color").optional_string(alert.title_color);
    json.key("detail").optional_string(alert.detail);
    json.key("detail_color").optional_string(alert.detail_color);
    json.end_object();
}

void write_count(JsonWriter& json, const std::optional<Count>& count) {
    if (!count) {
        json.null();
    } else if (const auto* text = std::get_if<std::string>(&*count)) {
        json.string(*text);
    } else {
        json.number(std::get<double>(*count));
    }
}

void write_toast(JsonWriter& json, const Toast& toast) {
    json.begin_object();
    json.key("id").string(toast.id);
    json.key("kind").string(toast_kind_name(toast.kind));
    json.key("born").number(toast.born);
    json.key("dies").number(toast.dies);
    json.key("tick").optional_string(toast.tick);
    json.key("title").string(toast.title);
    json.key("title_color").optional_string(toast.title_color);
    json.key("count");
    write_count(json, toast.count);
    json.key("time").optional_string(toast.time);
    json.key("time_color").optional_string(toast.time_color);
    json.key("detail").optional_string(toast.detail);
    json.key("detail_color").optional_string(toast.detail_color);
    json.key("index").optional_string(toast.index);
    json.key("count_label");
    if (toast.count) {
        json.string(count_label(*toast.count));
    } else {
        json.null();
    }
    json.key("has_detail").boolean(has_detail(toast));
    json.end_object();
}

}  // namespace

void write_frame(JsonWriter& json, const Frame& frame) {
    json.begin_object();
    json.key("v").unsigned_integer(frame.v);
    json.key("anchor").string(anchor_name(frame.anchor));
    json.key("offset").number(frame.offset);
    json.key("scale").number(frame.scale);
    json.key("monitor").optional_string(frame.monitor);
    json.key("hud");
    if (frame.hud) {
        write_hud(json, *frame.hud);
    } else {
        json.null();
    }
    json.key("night");
    if (frame.night) {
        write_night(json, *frame.night);
    } else {
        json.null();
    }
    json.key("alerts").begin_array();
    for (const Alert& alert : frame.alerts) write_alert(json, alert);
    json.end_array();
    json.key("toasts").begin_array();
    for (const Toast& toast : frame.toasts) write_toast(json, toast);
    json.end_array();
    json.end_object();
}

}  // namespace tolmin
