#pragma once
// RapidJSON's compact Writer into a std::string, for the probe report and the checker's reports.

#include <string>
#include <string_view>

#include "text/json_string.hpp"
#include "text/rapidjson.hpp"

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
