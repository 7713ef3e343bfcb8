#include "cli/command_line.hpp"

#include <string_view>

#include "text/unicode.hpp"
#include "text/unicode_tables.hpp"

namespace tolmin {
namespace {

constexpr std::string_view FONTS_FLAG = "--fonts";
constexpr std::string_view FONTS_JOINED_PREFIX = "--fonts=";

// A path from UTF-8 text (on Windows the text becomes UTF-16; elsewhere the bytes are kept).
std::filesystem::path path_from_utf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void append_hex_escape(std::string& out, char32_t code_point) {
    static constexpr char DIGITS[] = "0123456789abcdef";
    out += "\\u{";
    int shift = 20;
    while (shift > 0 && ((code_point >> shift) & 0xF) == 0) {
        shift -= 4;
    }
    for (; shift >= 0; shift -= 4) {
        out.push_back(DIGITS[(code_point >> shift) & 0xF]);
    }
    out.push_back('}');
}

}  // namespace

std::variant<ParsedCommandLine, UsageError> parse_command_line(const std::vector<Argument>& arguments) {
    ParsedCommandLine parsed;
    CommandLine& line = parsed.command_line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view text = arguments[i].text;
        if (text == "--probe") {
            line.probe = true;
        } else if (text == FONTS_FLAG) {
            // The next argument is the directory whatever it looks like, and keeps the form the system gave.
            if (i + 1 >= arguments.size()) {
                return UsageError{"--fonts needs a directory"};
            }
            ++i;
            line.fonts = arguments[i].raw;
        } else if (text.size() > FONTS_JOINED_PREFIX.size() && text.starts_with(FONTS_JOINED_PREFIX)) {
            line.fonts = path_from_utf8(text.substr(FONTS_JOINED_PREFIX.size()));
        } else if (text == "--version" || text == "-V") {
            // Nothing after the version flag is looked at.
            parsed.mode = Mode::Version;
            return parsed;
        } else {
            return UsageError{"unknown argument " + quote_argument(text)};
        }
    }
    parsed.mode = line.probe ? Mode::Probe : Mode::Overlay;
    return parsed;
}

std::string quote_argument(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t c = next_code_point(text, pos);
        switch (c) {
            case U'"':
                out += "\\\"";
                continue;
            case U'\\':
                out += "\\\\";
                continue;
            case U'\t':
                out += "\\t";
                continue;
            case U'\r':
                out += "\\r";
                continue;
            case U'\n':
                out += "\\n";
                continue;
            case U'\0':
                out += "\\0";
                continue;
            default:
                break;
        }
        if (!is_printable(c) || is_grapheme_extend(c)) {
            append_hex_escape(out, c);
        } else if (c == REPLACEMENT_CHARACTER) {
            append_utf8(out, c);  // also stands for an invalid sequence, which must not be copied
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    out.push_back('"');
    return out;
}

}  // namespace tolmin
