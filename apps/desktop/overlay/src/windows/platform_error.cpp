#include "windows/platform_error.hpp"

#include <d2derr.h>

#include "base/platform_error_text.hpp"

namespace tolmin::win {
namespace {

// The system's text for `code` as one line of UTF-8; empty when the system has none.
std::string system_text(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length != 0 && buffer != nullptr) text.assign(buffer, buffer + length);
    if (buffer != nullptr) LocalFree(buffer);
    return system_message_line(text);
}

}  // namespace

Error hresult_error(HRESULT hr) {
    const auto code = static_cast<DWORD>(hr);
    // d2derr.h spells the code unsigned.
    const bool lost = code == static_cast<DWORD>(D2DERR_RECREATE_TARGET);
    return Error{platform_error_text(system_text(code), code),
                 lost ? ErrorKind::DeviceLost : ErrorKind::Failed};
}

Error creation_error(HRESULT hr) {
    return hresult_error(SUCCEEDED(hr) ? E_POINTER : hr);
}

Error win32_error(DWORD code) {
    return hresult_error(static_cast<HRESULT>(hresult_from_win32(code)));
}

Error last_error() {
    // Some calls fail without setting the thread's error; "The operation completed successfully." would then
    // be printed for a failure.
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS) return hresult_error(E_FAIL);
    return win32_error(code);
}

std::string os_error_text(DWORD code) {
    return tolmin::os_error_text(system_text(code), code);
}

}  // namespace tolmin::win
