#include "frame/report_writer.hpp"

#include <charconv>
#include <cmath>
#include <utility>

namespace tolmin {

std::string report_number(double value) {
    if (!std::isfinite(value)) return "null";
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-7 && magnitude < 1e21);
    char buffer[64];
    const auto [end, error] =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "null";  // cannot happen: 64 bytes hold every such form
    return std::string(buffer, end);
}

JsonWriter& JsonWriter::number(double value) {
    const std::string text = report_number(value);
    const bool is_null = text == "null";
    return done(
        writer_.RawValue(text.data(), text.size(), is_null ? rapidjson::kNullType : rapidjson::kNumberType));
}

std::string JsonWriter::take() {
    std::string text = std::move(text_);
    text_.clear();
    writer_.Reset(output_);
    return text;
}

}  // namespace tolmin
