#pragma once
// Small looks at the bytes of a line around a position the JSON reader reported, used to describe and
// place faults. The grammar itself is the reader's business; these only step over tokens it has already
// accepted (or look one token back).

#include <cstddef>
#include <string_view>

namespace tolmin {

inline bool is_json_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The first offset at or after `pos` that is not JSON white space (text.size() at the end).
std::size_t skip_json_space(std::string_view text, std::size_t pos);

// The last byte before `pos` that is not JSON white space, or '\0' when there is none.
char previous_token_byte(std::string_view text, std::size_t pos);

// The offset just after the closing quote of the string whose opening quote is at `open` (text.size() when
// the string is not closed).
std::size_t string_token_end(std::string_view text, std::size_t open);

// The offset of the first \u escape of a trailing surrogate (DC00-DFFF) that does not follow the escape of a
// leading one, in the string whose opening quote is at `open`; npos when there is none.
std::size_t unpaired_surrogate_escape(std::string_view text, std::size_t open);

// True when decoded text holds a surrogate code point (the reader encodes an unpaired \uDC00-\uDFFF escape
// as the three bytes ED B0-BF xx, which valid UTF-8 never holds).
bool holds_surrogate(std::string_view decoded);

// The value of four hexadecimal digits at `pos`, or -1 when they are not all there.
long hex4_at(std::string_view text, std::size_t pos);

}  // namespace tolmin
