#include "base/platform_error_text.hpp"

#include <cstdio>

#include "text/unicode.hpp"

namespace tolmin {
namespace {

constexpr bool is_line_break(char16_t unit) {
    return unit == u'\r' || unit == u'\n';
}

}  // namespace

std::uint32_t hresult_from_win32(std::uint32_t code) {
    if (static_cast<std::int32_t>(code) <= 0) return code;
    return 0x80070000u | (code & 0xFFFFu);
}

std::string system_message_line(std::u16string_view message) {
    while (!message.empty() && is_line_break(message.back())) message.remove_suffix(1);
    std::u16string line;
    line.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (!is_line_break(message[i])) {
            line.push_back(message[i]);
        } else if (i == 0 || !is_line_break(message[i - 1])) {
            line.push_back(u' ');
        }
    }
    return utf16_to_utf8(line);
}

std::string platform_error_text(std::string_view message, std::uint32_t code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    if (message.empty()) return hex;
    std::string text(message);
    text += " (";
    text += hex;
    text += ")";
    return text;
}

std::string os_error_text(std::string_view message, std::uint32_t code) {
    std::string tail = "os error " + std::to_string(code);
    if (message.empty()) return tail;
    return std::string(message) + " (" + tail + ")";
}

}  // namespace tolmin
