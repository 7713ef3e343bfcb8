#include "model/parse_frame.hpp"

#include "model/frame_decoder.hpp"
#include "text/unicode.hpp"

namespace tolmin {

namespace {

std::string version_text(std::uint32_t version) {
    return "render model v" + std::to_string(version) + " (this helper draws v" +
           std::to_string(MODEL_VERSION) + ")";
}

}  // namespace

LineOutcome parse_frame_line(std::string_view line) {
    const std::string_view text = trim_white_space(line);
    if (text.empty()) return Blank{};
    LineOutcome outcome{std::in_place_type<Parsed>};
    const Frame& frame = std::get<Parsed>(outcome).frame;
    if (const std::optional<Fault> fault = decode_frame(text, std::get<Parsed>(outcome).frame)) {
        return Rejected{fault_text(*fault, text)};
    }
    if (frame.v != MODEL_VERSION) return Rejected{version_text(frame.v)};
    return outcome;
}

}  // namespace tolmin
