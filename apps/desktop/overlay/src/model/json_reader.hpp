#pragma once
// How a line is read as JSON: RapidJSON's SAX reader over a private, NUL-terminated copy of the line.
//  - iterative: deep nesting costs heap, never stack;
//  - in-situ: strings are unescaped inside the copy, no second buffer;
//  - numbers are handed over as their text, which the decoder converts with correct rounding;
//  - the reader stops after the value; the decoder checks what follows.
// The benchmark reads with the same flags for its reference.

#include "text/rapidjson.hpp"

namespace tolmin {

inline constexpr unsigned JSON_READER_FLAGS = rapidjson::kParseIterativeFlag | rapidjson::kParseInsituFlag |
                                              rapidjson::kParseNumbersAsStringsFlag |
                                              rapidjson::kParseStopWhenDoneFlag;

}  // namespace tolmin
