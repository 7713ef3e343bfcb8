#include "paint/color.hpp"

#include <cstdint>

namespace tolmin {
namespace {

constexpr std::size_t COLOR_TEXT_BYTES = 7;  // "#" and six hexadecimal digits

// The value of one hexadecimal digit of either case, or -1.
int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

Rgb parse_color(const std::optional<std::string>& text, const Rgb& fallback) {
    if (!text || text->size() != COLOR_TEXT_BYTES || (*text)[0] != '#') {
        return fallback;
    }
    // The six bytes after "#" read as one unsigned hexadecimal number; a single leading "+" is accepted in
    // place of the first digit (so "#+12345" is 0x12345), as an unsigned number parse would take it.
    std::size_t i = 1;
    if ((*text)[i] == '+') {
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < COLOR_TEXT_BYTES; ++i) {
        const int digit = hex_digit((*text)[i]);
        if (digit < 0) {
            return fallback;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return rgb_bytes(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                     static_cast<int>(value & 0xFF));
}

}  // namespace tolmin
