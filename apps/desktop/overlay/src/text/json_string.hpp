#pragma once
// JSON string escaping, shared by the probe report, the checker's reports and the texts of faults that quote
// the input. A double quote and a backslash get a backslash; backspace, tab, line feed, form feed and
// carriage return are written \b \t \n \f \r; every other character below U+0020 as \u00 and two lowercase
// hexadecimal digits; everything else as its UTF-8 bytes (the slash and non-ASCII text too).

#include <string>
#include <string_view>

namespace tolmin {

// `text` escaped as the inside of a JSON string.
void append_json_escaped(std::string& out, std::string_view text);

// `text` as a JSON string: between double quotes, escaped, invalid UTF-8 written as U+FFFD.
void append_json_string(std::string& out, std::string_view text);
std::string json_string(std::string_view text);

// Only the characters below U+0020 escaped as above, so that a text from the input keeps a diagnostic on one
// line.
void append_control_escaped(std::string& out, std::string_view text);

}  // namespace tolmin
