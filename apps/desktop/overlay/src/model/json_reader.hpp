#pragma once
// How a line is read as JSON: RapidJSON's SAX reader over a private, NUL-terminated copy of the line.
//  - iterative: deep nesting costs heap, never stack;
//  - in-situ: strings are unescaped inside the copy, no second buffer;
//  - numbers are handed over as their text, which the decoder converts with correct rounding;
//  - the reader stops after the value; the decoder checks what follows.
// The benchmark reads with the same flags for its reference.

// RapidJSON 1.1.0's internal stack compares `nullptr + n` with its end before its first allocation (fixed
// upstream after that release); the pointer is never used. Clang's UndefinedBehaviorSanitizer stops there, so
// the reader's functions are built without that one check. Include RapidJSON's reader through this header
// only, so that this applies wherever it is first included.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wpragma-clang-attribute"
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/reader.h>
#include <rapidjson/stream.h>
#if defined(__clang__)
#pragma clang attribute pop
#pragma clang diagnostic pop
#endif

namespace tolmin {

inline constexpr unsigned JSON_READER_FLAGS = rapidjson::kParseIterativeFlag | rapidjson::kParseInsituFlag |
                                              rapidjson::kParseNumbersAsStringsFlag |
                                              rapidjson::kParseStopWhenDoneFlag;

}  // namespace tolmin
