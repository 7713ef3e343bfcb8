#include "text/json_string.hpp"

#include "text/unicode.hpp"

namespace tolmin {
namespace {

void append_escaped(std::string& out, std::string_view text, bool quotes_too) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::size_t plain = 0;  // start of the run of bytes copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && (!quotes_too || (c != '"' && c != '\\'))) continue;
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

void append_json_escaped(std::string& out, std::string_view text) {
    append_escaped(out, text, true);
}

void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    if (is_valid_utf8(text)) {
        append_escaped(out, text, true);
    } else {
        append_escaped(out, repair_utf8(text), true);
    }
    out += '"';
}

std::string json_string(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

void append_control_escaped(std::string& out, std::string_view text) {
    append_escaped(out, text, false);
}

}  // namespace tolmin
