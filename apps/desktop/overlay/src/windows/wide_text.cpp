#include "windows/wide_text.hpp"

#include "text/unicode.hpp"

namespace tolmin::win {

std::wstring to_wide(std::string_view utf8) {
    const std::u16string utf16 = is_valid_utf8(utf8) ? utf8_to_utf16(utf8) : utf8_to_utf16(repair_utf8(utf8));
    return std::wstring(utf16.begin(), utf16.end());
}

std::string to_utf8(std::wstring_view wide) {
    const std::u16string utf16(wide.begin(), wide.end());
    return utf16_to_utf8(utf16);
}

}  // namespace tolmin::win
