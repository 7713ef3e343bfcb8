#include "model/found_part.hpp"

#include <array>
#include <charconv>

#include "text/json_string.hpp"

namespace tolmin {

std::string found_null() {
    return "null";
}

std::string found_boolean(bool value) {
    return value ? "boolean `true`" : "boolean `false`";
}

std::string found_integer(std::string_view literal) {
    std::string out = "integer `";
    out.append(literal).push_back('`');
    return out;
}

std::string found_floating(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string_view digits(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    std::string out = "floating point `";
    out.append(digits);
    if (digits.find_first_not_of("-0123456789") == std::string_view::npos) out.append(".0");
    out.push_back('`');
    return out;
}

std::string found_string(std::string_view text) {
    std::string out = "string \"";
    append_json_escaped(out, text);
    out.push_back('"');
    return out;
}

std::string found_sequence() {
    return "sequence";
}

std::string found_map() {
    return "map";
}

}  // namespace tolmin
