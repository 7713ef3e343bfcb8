#pragma once
// A compact JSON writer for the frame checker's reports: no white space, commas placed by the writer.
// Strings escape the double quote, the backslash and the characters below U+0020 (\b \t \n \f \r, the rest
// as \u00xx in lowercase) and keep every other character as its UTF-8 bytes; invalid UTF-8 is written as
// U+FFFD. Doubles read back to the same value: from 1e-7 up to 1e21 in plain decimal with the fewest
// fraction digits that do (so a time in milliseconds reads 1796544000000, an integer has no fraction),
// outside that range in the shortest form with an exponent; NaN and the infinities, which JSON cannot hold,
// as null.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmin {

void append_json_string(std::string& out, std::string_view text);
void append_json_number(std::string& out, double value);

class JsonWriter {
public:
    JsonWriter& begin_object();
    JsonWriter& end_object();
    JsonWriter& begin_array();
    JsonWriter& end_array();
    // The key of the next member of the open object.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view text);
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value);
    JsonWriter& unsigned_integer(std::uint64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();
    // A string, or null for none.
    JsonWriter& optional_string(const std::optional<std::string>& text);

    const std::string& text() const { return out_; }
    // The text written so far; the writer starts afresh.
    std::string take();

private:
    void before_value();

    std::string out_;
    std::vector<bool> has_members_;  // one entry per open object or array
    bool after_key_ = false;
};

}  // namespace tolmin
