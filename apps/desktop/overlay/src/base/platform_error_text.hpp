#pragma once
// How platform errors read in the program's messages: the system's text for the code, a blank, and the code
// in parentheses as 0x and eight uppercase hexadecimal digits; the code alone when the system has no text.
// System errors of a directory listing or a standard stream read "<text> (os error N)".

#include <cstdint>
#include <string>
#include <string_view>

namespace tolmin {

// HRESULT_FROM_WIN32: a Win32 error code c > 0 as 0x80070000 | (c & 0xFFFF); 0 and values that are already
// HRESULTs (negative as a signed 32-bit number) stay as they are.
std::uint32_t hresult_from_win32(std::uint32_t code);

// The system's message as one line of UTF-8: trailing line breaks removed, each run of line breaks inside it
// turned into one blank (a diagnostic is always one line); unpaired surrogates as U+FFFD.
std::string system_message_line(std::u16string_view message);

// "<message> (0x8007000E)", or "0x8007000E" when `message` is empty.
std::string platform_error_text(std::string_view message, std::uint32_t code);

// "<message> (os error 3)", or "os error 3" when `message` is empty.
std::string os_error_text(std::string_view message, std::uint32_t code);

}  // namespace tolmin
