#pragma once
// The checker's reports are written by RapidJSON's compact Writer (no white space; commas and colons placed
// by the writer). Strings and doubles reach it as raw values, to keep the reports' text:
//  - strings escaped like the probe report (\u00xx in lowercase), invalid UTF-8 written as U+FFFD;
//  - doubles that read back to the same value: from 1e-7 up to 1e21 in plain decimal with the fewest fraction
//    digits that do (a time in milliseconds reads 1796544000000, an integer has no fraction), outside that
//    range in the shortest form with an exponent; NaN and the infinities, which JSON cannot hold, as null.
//    RapidJSON would write 1796544000000.0 and 1e21 in other forms.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/rapidjson_writer.hpp"

namespace tolmin {

// The text of a double in a report (see above).
std::string report_number(double value);

class JsonWriter {
public:
    JsonWriter() : output_{&text_}, writer_(output_) {}

    JsonWriter& begin_object() { return done(writer_.StartObject()); }
    JsonWriter& end_object() { return done(writer_.EndObject()); }
    JsonWriter& begin_array() { return done(writer_.StartArray()); }
    JsonWriter& end_array() { return done(writer_.EndArray()); }
    // The key of the next member of the open object.
    JsonWriter& key(std::string_view name) {
        return done(writer_.Key(name.data(), static_cast<rapidjson::SizeType>(name.size())));
    }

    JsonWriter& string(std::string_view text) { return done(write_json_string(writer_, text)); }
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value) { return done(writer_.Int64(value)); }
    JsonWriter& unsigned_integer(std::uint64_t value) { return done(writer_.Uint64(value)); }
    JsonWriter& boolean(bool value) { return done(writer_.Bool(value)); }
    JsonWriter& null() { return done(writer_.Null()); }
    // A string, or null for none.
    JsonWriter& optional_string(const std::optional<std::string>& text) {
        return text ? string(*text) : null();
    }

    const std::string& text() const { return text_; }
    // The text written so far; the writer starts afresh.
    std::string take();

private:
    JsonWriter& done(bool /*written*/) { return *this; }

    std::string text_;
    JsonStringOutput output_;
    CompactJsonWriter writer_;
};

}  // namespace tolmin
