#pragma once
// UTF-8 and UTF-16 helpers shared by the frame reader, the render model, the command line and the Windows
// side.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolmin {

inline constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// `bytes` with each invalid UTF-8 sequence (maximal subpart) replaced by U+FFFD.
std::string repair_utf8(std::string_view bytes);
// True when `bytes` is valid UTF-8 (then repair_utf8 would return it unchanged).
bool is_valid_utf8(std::string_view bytes);

// Decodes the scalar value at `pos` of valid UTF-8 and advances `pos` past it.
char32_t next_code_point(std::string_view utf8, std::size_t& pos);
void append_utf8(std::string& out, char32_t code_point);

// The Unicode White_Space property: U+0009..U+000D, U+0020, U+0085, U+00A0, U+1680, U+2000..U+200A, U+2028,
// U+2029, U+202F, U+205F, U+3000.
bool is_white_space(char32_t code_point);
// `utf8` without White_Space characters at both ends.
std::string_view trim_white_space(std::string_view utf8);

// UTF-16 (e.g. a Windows argument or device name) to UTF-8, each unpaired surrogate replaced by U+FFFD.
std::string utf16_to_utf8(std::u16string_view utf16);
// Valid UTF-8 to UTF-16.
std::u16string utf8_to_utf16(std::string_view utf8);

// The most UTF-16 units of one text that the overlay hands to the text engine. No title or label can show
// more (the widest block is a few hundred pixels), and some DirectWrite implementations fault on a run of
// more than 65,535 characters without a break, or take seconds over half a megabyte of text.
inline constexpr std::size_t MAX_LAID_OUT_UNITS = 4096;

// The length of `units` cut to at most `max_units`, never between the two halves of a surrogate pair.
template <class Unit>
std::size_t clipped_utf16_length(const Unit* units, std::size_t length, std::size_t max_units) {
    if (length <= max_units) return length;
    if (max_units == 0) return 0;
    const auto last = static_cast<std::uint16_t>(units[max_units - 1]);
    return (last >= 0xD800 && last <= 0xDBFF) ? max_units - 1 : max_units;
}

}  // namespace tolmin
