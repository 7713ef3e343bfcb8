#pragma once
// The "found" part of "invalid type" and "invalid value" descriptions: what the line held where the model
// wanted something else ("integer `5`", "string \"x\"", "map").

#include <cstdint>
#include <string>
#include <string_view>

namespace tolmin {

std::string found_null();
std::string found_boolean(bool value);
// An integer literal as the reader delivered it ("5", "-1"): JSON integers have a single spelling.
std::string found_integer(std::string_view literal);
// The shortest text that reads back as the same double; integral values keep a ".0" ("1.0", "1e+20").
std::string found_floating(double value);
// The text in double quotes with JSON escapes for quote, backslash and control characters.
std::string found_string(std::string_view text);
std::string found_sequence();
std::string found_map();

}  // namespace tolmin
