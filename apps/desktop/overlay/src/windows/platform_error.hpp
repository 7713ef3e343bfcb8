#pragma once
// Platform errors as the program prints them: the system's text for the code, a blank, and the code as
// (0x%08X); the code alone when the system has no text. Win32 error codes are shown in their HRESULT form.

#include <windows.h>

#include <string>

#include "base/result.hpp"

namespace tolmin::win {

// "<system text> (0x8007xxxx)" for an HRESULT; D2DERR_RECREATE_TARGET is a lost device.
Error hresult_error(HRESULT hr);
// The error of a call that makes an object: its own, or E_POINTER when it reported success without handing
// the object out.
Error creation_error(HRESULT hr);
// A Win32 error code c > 0 as the HRESULT 0x80070000 | (c & 0xFFFF).
Error win32_error(DWORD code);
// win32_error(GetLastError()).
Error last_error();
// "<system text> (os error N)": how a system error of the standard streams or a directory listing prints.
std::string os_error_text(DWORD code);

}  // namespace tolmin::win
