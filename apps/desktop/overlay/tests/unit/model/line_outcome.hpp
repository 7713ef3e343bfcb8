#pragma once
// An outcome of parse_frame_line as one short text: "blank"; "frame: " and the Frame as the checker writes
// it; "syntax: " or "rejected: " and the rejection text, as the fault is one of JSON syntax or not.

#include "frame/frame_json.hpp"
#include "model/frame_decoder.hpp"
#include "model/parse_frame.hpp"
#include "text/unicode.hpp"

namespace tolmin::test {

inline std::optional<Fault> fault_of(std::string_view line) {
    Frame frame;
    return decode_frame(trim_white_space(line), frame);
}

inline std::string outcome_text(std::string_view line) {
    const LineOutcome outcome = parse_frame_line(line);
    if (std::holds_alternative<Blank>(outcome)) return "blank";
    if (const auto* rejected = std::get_if<Rejected>(&outcome)) {
        const std::optional<Fault> fault = fault_of(line);
        return (fault && is_syntax_fault(fault->kind) ? "syntax: " : "rejected: ") + rejected->text;
    }
    JsonWriter json;
    write_frame(json, std::get<Parsed>(outcome).frame);
    return "frame: " + json.take();
}

}  // namespace tolmin::test
