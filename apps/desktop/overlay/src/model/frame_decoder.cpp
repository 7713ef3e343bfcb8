#include "model/frame_decoder.hpp"

#include <string>

#include "model/frame_events.hpp"
#include "model/json_reader.hpp"
#include "model/json_text.hpp"
#include "model/syntax_fault.hpp"

namespace tolmin {

std::optional<Fault> decode_frame(std::string_view text, Frame& frame) {
    // The reader unescapes strings inside this copy; its NUL terminator ends the text.
    std::string copy(text);
    rapidjson::InsituStringStream stream(copy.data());
    FrameEvents events(text, copy.data(), stream, frame);
    rapidjson::CrtAllocator allocator;
    rapidjson::Reader reader(&allocator);
    const rapidjson::ParseResult result = reader.Parse<JSON_READER_FLAGS>(stream, events);
    if (result.IsError()) {
        if (events.fault()) return events.fault();
        return syntax_fault(result.Code(), result.Offset(), text);
    }
    // The reader stops after the value (or at a NUL byte): only JSON white space may follow.
    const std::size_t rest = skip_json_space(text, stream.Tell());
    if (rest == text.size()) return std::nullopt;
    Fault fault;
    fault.kind = FaultKind::TrailingCharacters;
    fault.offset = rest;
    return fault;
}

}  // namespace tolmin
