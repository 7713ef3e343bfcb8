#include "text/font_file_names.hpp"

#include <cstddef>

namespace tolmin {
namespace {

constexpr bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point at `pos` (a surrogate pair joined, an unpaired surrogate as it is); advances `pos`.
char32_t next_point(std::u16string_view text, std::size_t& pos) {
    const char16_t unit = text[pos++];
    if (is_high_surrogate(unit) && pos < text.size() && is_low_surrogate(text[pos])) {
        const char16_t low = text[pos++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
               (static_cast<char32_t>(low) - 0xDC00);
    }
    return unit;
}

constexpr char16_t ascii_lower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

}  // namespace

bool is_font_file_name(std::u16string_view name) {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0) return false;
    const std::u16string_view extension = name.substr(dot + 1);
    constexpr std::u16string_view TTF = u"ttf";
    if (extension.size() != TTF.size()) return false;
    for (std::size_t i = 0; i < TTF.size(); ++i) {
        if (ascii_lower(extension[i]) != TTF[i]) return false;
    }
    return true;
}

bool font_name_less(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = next_point(a, i);
        const char32_t y = next_point(b, j);
        if (x != y) return x < y;
    }
    return i == a.size() && j < b.size();
}

}  // namespace tolmin
