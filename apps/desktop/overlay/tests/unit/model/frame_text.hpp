#pragma once
// Test helpers: a Frame written out field by field (so two Frames compare with a readable difference) and an
// outcome of parse_frame_line written as one short text.

#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "model/frame_decoder.hpp"
#include "model/parse_frame.hpp"

namespace tolmin::test {

inline std::string number_text(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

inline std::string optional_text(const std::optional<std::string>& text) {
    return text ? "\"" + *text + "\"" : std::string("none");
}

inline std::string count_text(const std::optional<Count>& count) {
    if (!count) return "none";
    if (const auto* text = std::get_if<std::string>(&*count)) return "text \"" + *text + "\"";
    return "number " + number_text(std::get<double>(*count));
}

inline std::string frame_text(const Frame& f) {
    std::string out;
    auto line = [&out](std::string_view key, const std::string& value) {
        out.append(key).append("=").append(value).append("\n");
    };
    line("v", std::to_string(f.v));
    line("anchor", anchor_name(f.anchor));
    line("offset", number_text(f.offset));
    line("scale", number_text(f.scale));
    line("monitor", optional_text(f.monitor));
    if (f.hud) {
        line("hud.dot", optional_text(f.hud->dot));
        line("hud.state", "\"" + f.hud->state + "\"");
        line("hud.state_color", optional_text(f.hud->state_color));
        line("hud.elapsed", "\"" + f.hud->elapsed + "\"");
        line("hud.presence", optional_text(f.hud->presence));
    } else {
        line("hud", "none");
    }
    if (f.night) {
        line("night.tag", optional_text(f.night->tag));
        line("night.title", "\"" + f.night->title + "\"");
    } else {
        line("night", "none");
    }
    for (std::size_t i = 0; i < f.alerts.size(); ++i) {
        const Alert& a = f.alerts[i];
        const std::string p = "alerts[" + std::to_string(i) + "].";
        line(p + "id", "\"" + a.id + "\"");
        line(p + "bar", optional_text(a.bar));
        line(p + "title", "\"" + a.title + "\"");
        line(p + "title_color", optional_text(a.title_color));
        line(p + "detail", optional_text(a.detail));
        line(p + "detail_color", optional_text(a.detail_color));
    }
    for (std::size_t i = 0; i < f.toasts.size(); ++i) {
        const Toast& t = f.toasts[i];
        const std::string p = "toasts[" + std::to_string(i) + "].";
        line(p + "id", "\"" + t.id + "\"");
        line(p + "kind", toast_kind_name(t.kind));
        line(p + "born", number_text(t.born));
        line(p + "dies", number_text(t.dies));
        line(p + "tick", optional_text(t.tick));
        line(p + "title", "\"" + t.title + "\"");
        line(p + "title_color", optional_text(t.title_color));
        line(p + "count", count_text(t.count));
        line(p + "time", optional_text(t.time));
        line(p + "time_color", optional_text(t.time_color));
        line(p + "detail", optional_text(t.detail));
        line(p + "detail_color", optional_text(t.detail_color));
        line(p + "index", optional_text(t.index));
    }
    return out;
}

// "blank", "parsed" or "rejected: " and the text.
inline std::string outcome_text(const LineOutcome& outcome) {
    if (std::holds_alternative<Blank>(outcome)) return "blank";
    if (const auto* rejected = std::get_if<Rejected>(&outcome)) return "rejected: " + rejected->text;
    return "parsed";
}

// The first fault of a trimmed line, if any.
inline std::optional<Fault> fault_of(std::string_view text) {
    Frame frame;
    return decode_frame(text, frame);
}

// The Frame of a line that must parse; a default Frame (and a test failure) otherwise.
inline Frame parsed_frame(std::string_view line) {
    LineOutcome outcome = parse_frame_line(line);
    if (auto* parsed = std::get_if<Parsed>(&outcome)) return std::move(parsed->frame);
    ADD_FAILURE() << "not parsed: " << line << " -> " << outcome_text(outcome);
    return Frame{};
}

}  // namespace tolmin::test
