#include "model/json_text.hpp"

#include <cstring>

namespace tolmin {

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool is_escape_u(std::string_view text, std::size_t pos) {
    return pos + 1 < text.size() && text[pos] == '\\' && text[pos + 1] == 'u';
}

}  // namespace

std::size_t skip_json_space(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_json_space(text[pos])) ++pos;
    return pos;
}

char previous_token_byte(std::string_view text, std::size_t pos) {
    if (pos > text.size()) pos = text.size();
    while (pos > 0) {
        --pos;
        if (!is_json_space(text[pos])) return text[pos];
    }
    return '\0';
}

std::size_t string_token_end(std::string_view text, std::size_t open) {
    std::size_t i = open + 1;
    while (i < text.size()) {
        if (text[i] == '"') return i + 1;
        i += text[i] == '\\' ? 2 : 1;
    }
    return text.size();
}

long hex4_at(std::string_view text, std::size_t pos) {
    if (pos + 4 > text.size()) return -1;
    long value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const int digit = hex_digit(text[pos + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool holds_surrogate_in_long(std::string_view decoded) {
    const char* p = decoded.data();
    const char* const end = p + decoded.size();
    while (p != end) {
        const void* hit = std::memchr(p, 0xED, static_cast<std::size_t>(end - p));
        if (hit == nullptr) return false;
        p = static_cast<const char*>(hit) + 1;
        if (p != end && static_cast<unsigned char>(*p) >= 0xA0) return true;
    }
    return false;
}

std::size_t next_unpaired_trail(std::string_view text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size()) {
        const void* hit = std::memchr(text.data() + i, '\\', text.size() - i);
        if (hit == nullptr) break;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (!is_escape_u(text, i)) {
            i += 2;
            continue;
        }
        const long unit = hex4_at(text, i + 2);
        if (unit >= 0xDC00 && unit <= 0xDFFF) return i;
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && is_escape_u(text, i + 6);
        i += pair ? 12 : 6;  // the reader checks the second half of a pair itself
    }
    return std::string_view::npos;
}

}  // namespace tolmin
