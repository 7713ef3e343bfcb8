#pragma once
// RapidJSON's compact Writer into a std::string, for the probe report and the checker's reports. Include
// it through this header only: like the reader (model/json_reader.hpp), RapidJSON 1.1.0's internal stack
// compares `nullptr + n` before its first allocation, which Clang's UndefinedBehaviorSanitizer stops at.

#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wpragma-clang-attribute"
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/writer.h>
#if defined(__clang__)
#pragma clang attribute pop
#pragma clang diagnostic pop
#endif

#include <string>
#include <string_view>

#include "text/json_string.hpp"

namespace tolmin {

// The writer's output stream: appends to a std::string, which reports a failed allocation by throwing
// std::bad_alloc (RapidJSON's own buffer would not notice).
struct JsonStringOutput {
    using Ch = char;
    std::string* text;
    void Put(char c) { text->push_back(c); }
    void Flush() {}
};

using CompactJsonWriter = rapidjson::Writer<JsonStringOutput>;

// A string value as the probe report escapes it (RapidJSON writes \u001F in uppercase and would not repair
// invalid UTF-8), handed to the writer as a raw value.
inline bool write_json_string(CompactJsonWriter& writer, std::string_view text) {
    const std::string quoted = json_string(text);
    return writer.RawValue(quoted.data(), quoted.size(), rapidjson::kStringType);
}

}  // namespace tolmin
