// libFuzzer target: any bytes through parse_frame_line, raw and as the frame reader repairs them.
// Aborts when an outcome breaks what callers rely on:
//  - the outcome is the same when the line is parsed again;
//  - Blank exactly when the line is nothing but White_Space;
//  - a Rejected text is not empty and either ends with " at line L column C" (L >= 1, 1 <= C, within the
//    trimmed line) or is the version text for a version other than the one drawn;
//  - a Parsed Frame has the drawn version, and for valid UTF-8 input every text in it is valid UTF-8 (as is
//    the Rejected text).

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "model/parse_frame.hpp"
#include "text/unicode.hpp"

namespace {

using namespace tolmin;

void check(bool condition) {
    if (!condition) std::abort();
}

void append_text(std::string& out, const std::optional<std::string>& text) {
    out.append(text ? "s" + std::to_string(text->size()) + ":" + *text : std::string("-"));
}

void append_number(std::string& out, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr).push_back(';');
}

// Every field of the outcome, to compare two parses.
std::string fingerprint(const LineOutcome& outcome) {
    if (std::holds_alternative<Blank>(outcome)) return "blank";
    if (const auto* rejected = std::get_if<Rejected>(&outcome)) return "rejected:" + rejected->text;
    const Frame& f = std::get<Parsed>(outcome).frame;
    std::string out = "v" + std::to_string(f.v) + anchor_name(f.anchor);
    append_number(out, f.offset);
    append_number(out, f.scale);
    append_text(out, f.monitor);
    if (f.hud) {
        append_text(out, f.hud->dot);
        append_text(out, f.hud->state);
        append_text(out, f.hud->state_color);
        append_text(out, f.hud->elapsed);
        append_text(out, f.hud->presence);
    }
    if (f.night) {
        append_text(out, f.night->tag);
        append_text(out, f.night->title);
    }
    for (const Alert& a : f.alerts) {
        for (const auto* t : {&a.bar, &a.title_color, &a.detail, &a.detail_color}) append_text(out, *t);
        append_text(out, a.id);
        append_text(out, a.title);
    }
    for (const Toast& t : f.toasts) {
        out.append(toast_kind_name(t.kind));
        append_number(out, t.born);
        append_number(out, t.dies);
        for (const auto* s :
             {&t.tick, &t.title_color, &t.time, &t.time_color, &t.detail, &t.detail_color, &t.index}) {
            append_text(out, *s);
        }
        append_text(out, t.id);
        append_text(out, t.title);
        if (t.count) out.append(count_label(*t.count));
    }
    return out;
}

bool all_texts_valid(const Frame& f) {
    bool ok = true;
    auto valid = [&ok](const std::optional<std::string>& text) {
        ok = ok && (!text || is_valid_utf8(*text));
    };
    valid(f.monitor);
    if (f.hud) {
        for (const auto* t : {&f.hud->dot, &f.hud->state_color, &f.hud->presence}) valid(*t);
        valid(f.hud->state);
        valid(f.hud->elapsed);
    }
    if (f.night) {
        valid(f.night->tag);
        valid(f.night->title);
    }
    for (const Alert& a : f.alerts) {
        for (const auto* t : {&a.bar, &a.title_color, &a.detail, &a.detail_color}) valid(*t);
        valid(a.id);
        valid(a.title);
    }
    for (const Toast& t : f.toasts) {
        for (const auto* s :
             {&t.tick, &t.title_color, &t.time, &t.time_color, &t.detail, &t.detail_color, &t.index}) {
            valid(*s);
        }
        valid(t.id);
        valid(t.title);
        if (t.count) valid(count_label(*t.count));
    }
    return ok;
}

bool read_decimal(std::string_view text, std::size_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// " at line L column C" at the end, with a position inside the trimmed line.
bool has_position(std::string_view text, std::string_view trimmed) {
    const std::size_t at = text.rfind(" at line ");
    if (at == std::string_view::npos || at == 0) return false;
    const std::string_view rest = text.substr(at + 9);
    const std::size_t column_at = rest.find(" column ");
    if (column_at == std::string_view::npos) return false;
    std::size_t line = 0;
    std::size_t column = 0;
    if (!read_decimal(rest.substr(0, column_at), line) || !read_decimal(rest.substr(column_at + 8), column)) {
        return false;
    }
    std::size_t line_feeds = 0;
    for (const char c : trimmed) line_feeds += c == '\n';
    return line >= 1 && line <= line_feeds + 1 && column >= 1 && column <= trimmed.size() + 1;
}

bool is_version_text(std::string_view text) {
    constexpr std::string_view head = "render model v";
    const std::string tail = " (this helper draws v" + std::to_string(MODEL_VERSION) + ")";
    if (text.size() <= head.size() + tail.size() || text.substr(0, head.size()) != head) return false;
    if (text.substr(text.size() - tail.size()) != tail) return false;
    std::size_t version = 0;
    return read_decimal(text.substr(head.size(), text.size() - head.size() - tail.size()), version) &&
           version != MODEL_VERSION && version <= UINT32_MAX;
}

void check_line(std::string_view line) {
    const LineOutcome outcome = parse_frame_line(line);
    check(fingerprint(parse_frame_line(line)) == fingerprint(outcome));
    const std::string_view trimmed = trim_white_space(line);
    const bool valid_input = is_valid_utf8(line);
    check(std::holds_alternative<Blank>(outcome) == trimmed.empty());
    if (const auto* rejected = std::get_if<Rejected>(&outcome)) {
        check(!rejected->text.empty());
        check(has_position(rejected->text, trimmed) || is_version_text(rejected->text));
        check(!valid_input || is_valid_utf8(rejected->text));
    }
    if (const auto* parsed = std::get_if<Parsed>(&outcome)) {
        check(parsed->frame.v == MODEL_VERSION);
        check(!valid_input || all_texts_valid(parsed->frame));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    check_line(raw);
    const std::string repaired = repair_utf8(raw);
    check(is_valid_utf8(repaired));
    if (repaired != raw) check_line(repaired);
    return 0;
}
