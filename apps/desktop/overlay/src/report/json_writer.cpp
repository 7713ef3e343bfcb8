#include "report/json_writer.hpp"

#include <charconv>
#include <cmath>
#include <utility>

#include "text/unicode.hpp"

namespace tolmin {
namespace {

void append_escaped(std::string& out, std::string_view text) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::size_t plain = 0;  // start of the run of bytes copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') {
            continue;
        }
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += "\\u00";
                out += HEX[c >> 4];
                out += HEX[c & 0x0F];
        }
    }
    out.append(text.substr(plain));
}

}  // namespace

void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    if (is_valid_utf8(text)) {
        append_escaped(out, text);
    } else {
        append_escaped(out, repair_utf8(text));
    }
    out += '"';
}

void append_json_number(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // Plain decimal from 1e-7 up to 1e21 (a time in milliseconds reads 1796544000000, not 1.796544e+12), the
    // shortest form with an exponent outside; both with the fewest digits that read back to the value.
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-7 && magnitude < 1e21);
    char buffer[64];
    const auto [end, error] =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        out += "null";  // cannot happen: 64 bytes hold every such form
        return;
    }
    out.append(buffer, end);
}

JsonWriter& JsonWriter::begin_object() {
    before_value();
    out_ += '{';
    has_members_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::end_object() {
    out_ += '}';
    if (!has_members_.empty()) has_members_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::begin_array() {
    before_value();
    out_ += '[';
    has_members_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::end_array() {
    out_ += ']';
    if (!has_members_.empty()) has_members_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    before_value();
    append_json_string(out_, name);
    out_ += ':';
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    before_value();
    append_json_string(out_, text);
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    before_value();
    append_json_number(out_, value);
    return *this;
}

JsonWriter& JsonWriter::integer(std::int64_t value) {
    before_value();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::unsigned_integer(std::uint64_t value) {
    before_value();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    before_value();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    before_value();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::optional_string(const std::optional<std::string>& text) {
    return text ? string(*text) : null();
}

std::string JsonWriter::take() {
    has_members_.clear();
    after_key_ = false;
    return std::exchange(out_, std::string());
}

// A value (or key) in an open container after its first member is preceded by a comma; the value of a key
// follows its colon directly.
void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!has_members_.empty()) {
        if (has_members_.back()) out_ += ',';
        has_members_.back() = true;
    }
}

}  // namespace tolmin
