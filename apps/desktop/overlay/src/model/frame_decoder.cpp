#include "model/frame_decoder.hpp"

#include <string>

#include "model/frame_events.hpp"
#include "model/json_reader.hpp"
#include "model/json_text.hpp"
#include "model/syntax_fault.hpp"

namespace tolmin {

namespace {

constexpr std::size_t SIMD_PADDING = 16;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The end of the JSON number literal at `start` (a minus sign or a digit), or npos when it is malformed.
std::size_t number_end(std::string_view text, std::size_t start) {
    std::size_t i = start;
    auto digits = [&] {
        const std::size_t first = i;
        while (i < text.size() && is_digit(text[i])) ++i;
        return i != first;
    };
    if (text[i] == '-') ++i;
    if (i < text.size() && text[i] == '0') {
        ++i;
    } else if (!digits()) {
        return std::string_view::npos;
    }
    if (i < text.size() && text[i] == '.' && (++i, !digits())) return std::string_view::npos;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digits()) return std::string_view::npos;
    }
    return i;
}

// RapidJSON refuses a number whose exponent or integer part is beyond what it holds in a double, even when
// the number is only skipped or is zero (0e400). The decoder reads every number's value from the line, not
// from the copy, so the copy may hold a stand-in of the same length: each well-formed literal of three bytes
// or more becomes 0e0…0. Faults keep their positions; the numbers keep their values.
void neutralize_numbers(std::string& copy) {
    bool in_string = false;
    for (std::size_t i = 0; i < copy.size(); ++i) {
        const char c = copy[i];
        if (in_string) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (c == '-' || is_digit(c)) {
            std::size_t end = number_end(copy, i);
            if (end == std::string_view::npos) {
                // A malformed literal is left whole: the reader refuses it where it did before.
                end = copy.find_first_not_of("0123456789+-.eE", i);
                end = end == std::string::npos ? copy.size() : end;
            } else if (end - i >= 3) {
                copy.replace(i, end - i, "0e" + std::string(end - i - 2, '0'));
            }
            i = end - 1;
        }
    }
}

struct Reading {
    rapidjson::ParseResult result;
    std::optional<Fault> fault;
    std::size_t end = 0;
};

Reading read(std::string_view text, std::string& copy, Frame& frame) {
    rapidjson::InsituStringStream stream(copy.data());
    FrameEvents events(text, copy.data(), stream, frame);
    rapidjson::CrtAllocator allocator;
    rapidjson::Reader reader(&allocator);
    Reading reading;
    reading.result = reader.Parse<JSON_READER_FLAGS>(stream, events);
    reading.fault = events.fault();
    reading.end = stream.Tell();
    return reading;
}

}  // namespace

std::optional<Fault> decode_frame(std::string_view text, Frame& frame) {
    // The reader unescapes strings inside this copy; its NUL terminator ends the text. RapidJSON's SSE2 scans
    // read aligned blocks of 16 bytes, the last of which may reach up to 15 bytes past the terminator: the
    // copy's buffer holds them.
    std::string copy;
    copy.reserve(text.size() + SIMD_PADDING);
    copy.assign(text);
    Reading reading = read(text, copy, frame);
    if (reading.result.Code() == rapidjson::kParseErrorNumberTooBig && !reading.fault) {
        copy.assign(text);
        neutralize_numbers(copy);
        frame = Frame{};
        reading = read(text, copy, frame);
    }
    if (reading.result.IsError()) {
        if (reading.fault) return reading.fault;
        return syntax_fault(reading.result.Code(), reading.result.Offset(), text);
    }
    // The reader stops after the value (or at a NUL byte): only JSON white space may follow.
    const std::size_t rest = skip_json_space(text, reading.end);
    if (rest == text.size()) return std::nullopt;
    Fault fault;
    fault.kind = FaultKind::TrailingCharacters;
    fault.offset = rest;
    return fault;
}

}  // namespace tolmin
