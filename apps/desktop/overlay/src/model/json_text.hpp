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

bool holds_surrogate_in_long(std::string_view decoded);

// True when decoded text holds a surrogate code point: the reader encodes an unpaired \uDC00-\uDFFF escape
// as the three bytes ED B0-BF xx, which valid UTF-8 never holds.
inline bool holds_surrogate(std::string_view decoded) {
    if (decoded.size() >= 32) return holds_surrogate_in_long(decoded);
    for (std::size_t i = 0; i + 1 < decoded.size(); ++i) {
        if (static_cast<unsigned char>(decoded[i]) == 0xED &&
            static_cast<unsigned char>(decoded[i + 1]) >= 0xA0) {
            return true;
        }
    }
    return false;
}

// The offset of the first \u escape at or after `from` (an escape boundary, such as the first byte of a
// string's text) of a trailing surrogate (DC00-DFFF) that does not complete a pair, or npos.
std::size_t next_unpaired_trail(std::string_view text, std::size_t from);

// The value of four hexadecimal digits at `pos`, or -1 when they are not all there.
long hex4_at(std::string_view text, std::size_t pos);

}  // namespace tolmin
