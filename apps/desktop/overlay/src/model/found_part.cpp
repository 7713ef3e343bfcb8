#include "model/found_part.hpp"

#include <array>
#include <charconv>

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
    static constexpr char HEX[] = "0123456789abcdef";
    std::string out = "string \"";
    out.reserve(out.size() + text.size() + 1);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            default:
                if (byte < 0x20) {
                    out.append("\\u00");
                    out.push_back(HEX[byte >> 4]);
                    out.push_back(HEX[byte & 0xF]);
                } else {
                    out.push_back(c);
                }
        }
    }
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
