#include "text/unicode.hpp"

#include <cstring>

namespace tolmin {
namespace {

constexpr std::uint64_t HIGH_BITS = 0x8080808080808080ull;

// Length of the leading run of ASCII bytes in [p, p + n), eight bytes at a time.
std::size_t ascii_prefix(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
    while (n - i >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
        if ((word & HIGH_BITS) != 0) {
            break;
        }
        i += 8;
    }
    while (i < n && p[i] < 0x80) {
        ++i;
    }
    return i;
}

struct Step {
    std::size_t length;  // bytes consumed: the whole sequence, or the maximal subpart when invalid (>= 1)
    bool valid;
    char32_t code_point;  // U+FFFD when invalid
};

bool is_continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes one sequence at p[0] (n >= 1). An invalid sequence consumes its maximal subpart: the lead byte and
// every following byte that could still continue a well-formed sequence, so that each such subpart becomes
// exactly one U+FFFD (the rule of WHATWG's decoder and Unicode's "best practice").
Step decode_step(const unsigned char* p, std::size_t n) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        return {1, true, lead};
    }
    std::size_t need;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) {
            low = 0xA0;  // overlong below U+0800
        } else if (lead == 0xED) {
            high = 0x9F;  // surrogates U+D800..U+DFFF
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) {
            low = 0x90;  // overlong below U+10000
        } else if (lead == 0xF4) {
            high = 0x8F;  // above U+10FFFF
        }
    } else {
        return {1, false, REPLACEMENT_CHARACTER};  // a stray continuation, C0, C1 or F5..FF
    }
    std::size_t i = 1;
    for (; i <= need; ++i) {
        if (i >= n) {
            return {i, false, REPLACEMENT_CHARACTER};  // truncated at the end
        }
        const unsigned char b = p[i];
        const bool in_range = i == 1 ? (b >= low && b <= high) : is_continuation(b);
        if (!in_range) {
            return {i, false, REPLACEMENT_CHARACTER};
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    return {i, true, cp};
}

const unsigned char* bytes_of(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// Offset of the first invalid sequence, or text.size() when all is valid.
std::size_t first_invalid(std::string_view text) {
    const unsigned char* p = bytes_of(text);
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        i += ascii_prefix(p + i, n - i);
        if (i >= n) {
            break;
        }
        const Step step = decode_step(p + i, n - i);
        if (!step.valid) {
            return i;
        }
        i += step.length;
    }
    return n;
}

void append_utf16_unit_pair(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Byte length of a White_Space character that starts `text` (0 when none does).
std::size_t leading_white_space(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const unsigned char* p = bytes_of(text);
    if (p[0] < 0x80) {
        return is_white_space(p[0]) ? 1 : 0;
    }
    const Step step = decode_step(p, text.size());
    return step.valid && is_white_space(step.code_point) ? step.length : 0;
}

// Byte length of a White_Space character that ends `text` (0 when none does). Every White_Space character
// is one to three bytes whose lead byte (0x09..0x20, 0xC2, 0xE1, 0xE2, 0xE3) can never be a continuation,
// so a matching suffix is always a whole character.
std::size_t trailing_white_space(std::string_view text) {
    const std::size_t n = text.size();
    if (n == 0) {
        return 0;
    }
    const unsigned char* p = bytes_of(text);
    if (p[n - 1] < 0x80) {
        return is_white_space(p[n - 1]) ? 1 : 0;
    }
    for (std::size_t len = 2; len <= 3 && len <= n; ++len) {
        const unsigned char* start = p + n - len;
        if (is_continuation(start[0])) {
            continue;
        }
        const Step step = decode_step(start, len);
        return step.valid && step.length == len && is_white_space(step.code_point) ? len : 0;
    }
    return 0;
}

}  // namespace

std::string repair_utf8(std::string_view bytes) {
    std::size_t bad = first_invalid(bytes);
    if (bad == bytes.size()) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + 16);
    const unsigned char* p = bytes_of(bytes);
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Copy the valid run [i, bad) in one go, then replace the maximal subpart at `bad`.
        out.append(bytes.data() + i, bad - i);
        if (bad >= n) {
            break;
        }
        const Step step = decode_step(p + bad, n - bad);
        append_utf8(out, REPLACEMENT_CHARACTER);
        i = bad + step.length;
        bad = i + first_invalid(bytes.substr(i));
    }
    return out;
}

bool is_valid_utf8(std::string_view bytes) {
    return first_invalid(bytes) == bytes.size();
}

char32_t next_code_point(std::string_view utf8, std::size_t& pos) {
    if (pos >= utf8.size()) {
        return REPLACEMENT_CHARACTER;
    }
    const Step step = decode_step(bytes_of(utf8) + pos, utf8.size() - pos);
    pos += step.length;
    return step.code_point;
}

void append_utf8(std::string& out, char32_t code_point) {
    if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        code_point = REPLACEMENT_CHARACTER;
    }
    if (code_point < 0x80) {
        out.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
        const char b[2] = {static_cast<char>(0xC0 | (code_point >> 6)),
                           static_cast<char>(0x80 | (code_point & 0x3F))};
        out.append(b, 2);
    } else if (code_point < 0x10000) {
        const char b[3] = {static_cast<char>(0xE0 | (code_point >> 12)),
                           static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)),
                           static_cast<char>(0x80 | (code_point & 0x3F))};
        out.append(b, 3);
    } else {
        const char b[4] = {static_cast<char>(0xF0 | (code_point >> 18)),
                           static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)),
                           static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)),
                           static_cast<char>(0x80 | (code_point & 0x3F))};
        out.append(b, 4);
    }
}

bool is_white_space(char32_t code_point) {
    if (code_point <= 0x20) {
        return code_point == 0x20 || (code_point >= 0x09 && code_point <= 0x0D);
    }
    if (code_point < 0x85) {
        return false;
    }
    switch (code_point) {
        case 0x0085:
        case 0x00A0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return code_point >= 0x2000 && code_point <= 0x200A;
    }
}

std::string_view trim_white_space(std::string_view utf8) {
    while (const std::size_t len = leading_white_space(utf8)) {
        utf8.remove_prefix(len);
    }
    while (const std::size_t len = trailing_white_space(utf8)) {
        utf8.remove_suffix(len);
    }
    return utf8;
}

std::string utf16_to_utf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    const std::size_t n = utf16.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t unit = utf16[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 < n && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
                const char32_t low = utf16[i + 1];
                append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
            } else {
                append_utf8(out, REPLACEMENT_CHARACTER);
            }
        } else {
            append_utf8(out, unit);  // a lone low surrogate becomes U+FFFD there
        }
    }
    return out;
}

std::u16string utf8_to_utf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[pos]);
        if (b < 0x80) {
            out.push_back(b);
            ++pos;
        } else {
            append_utf16_unit_pair(out, next_code_point(utf8, pos));
        }
    }
    return out;
}

}  // namespace tolmin
