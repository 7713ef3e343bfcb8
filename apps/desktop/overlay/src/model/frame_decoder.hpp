#pragma once
// The typed decoder of the render model: RapidJSON reads the JSON, this turns the reader's events into a
// Frame (records from objects or arrays, defaults, duplicate keys, skipped unknown keys, the nesting limit)
// and names the first fault with its position.

#include <cstddef>
#include <optional>
#include <string_view>

#include "model/fault.hpp"
#include "model/frame.hpp"

namespace tolmin {

// At most this many arrays and objects may be open at once while the Frame's fields and a toast's count are
// decoded, the Frame's own object or array counting as the first. Values under unknown keys are skipped
// without a limit.
inline constexpr std::size_t MAX_NESTING = 127;

// Decodes `text` as exactly one JSON value (JSON white space around it) into `frame`, which starts as a
// default Frame; the first fault, if any (`frame` is then partly decoded). The model version is not checked
// here. Any bytes are safe; the texts of the Frame are valid UTF-8 when `text` is.
std::optional<Fault> decode_frame(std::string_view text, Frame& frame);

}  // namespace tolmin
