#include "model/parse_frame.hpp"

#include <utility>

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
    std::variant<Frame, Fault> decoded = decode_frame(text);
    if (const Fault* fault = std::get_if<Fault>(&decoded)) return Rejected{fault_text(*fault, text)};
    Frame& frame = std::get<Frame>(decoded);
    if (frame.v != MODEL_VERSION) return Rejected{version_text(frame.v)};
    return Parsed{std::move(frame)};
}

}  // namespace tolmin
