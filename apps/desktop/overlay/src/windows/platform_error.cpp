#include "windows/platform_error.hpp"

#include <cstdio>
#include <string_view>

#include "text/unicode.hpp"

namespace tolmin::win {
namespace {

// The system's text for `code`, as one line of UTF-8: the trailing line break removed, a line break inside a
// long message turned into a blank (a diagnostic is always one line). Empty when the system has none.
std::string system_text(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) {
        if (buffer != nullptr) LocalFree(buffer);
        return {};
    }
    std::u16string text;
    text.reserve(length);
    for (DWORD i = 0; i < length; ++i) text.push_back(static_cast<char16_t>(buffer[i]));
    LocalFree(buffer);

    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
    std::u16string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') {
            line.push_back(text[i]);
        } else if (i == 0 || (text[i - 1] != u'\r' && text[i - 1] != u'\n')) {
            line.push_back(u' ');
        }
    }
    return utf16_to_utf8(line);
}

}  // namespace

Error hresult_error(HRESULT hr) {
    const DWORD code = static_cast<DWORD>(hr);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    const std::string text = system_text(code);
    if (text.empty()) return Error{hex};
    return Error{text + " (" + hex + ")"};
}

Error win32_error(DWORD code) {
    // HRESULT_FROM_WIN32: a code that is already an HRESULT (or 0) stays as it is.
    const DWORD hr = static_cast<LONG>(code) <= 0 ? code : (0x80070000u | (code & 0xFFFFu));
    return hresult_error(static_cast<HRESULT>(hr));
}

Error last_error() {
    // Some calls fail without setting the thread's error; "The operation completed successfully." would then
    // be printed for a failure.
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS) return hresult_error(E_FAIL);
    return win32_error(code);
}

std::string os_error_text(DWORD code) {
    const std::string tail = "(os error " + std::to_string(code) + ")";
    const std::string text = system_text(code);
    if (text.empty()) return tail;
    return text + " " + tail;
}

}  // namespace tolmin::win
