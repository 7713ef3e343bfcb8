#pragma once
// UTF-8 text to the wide strings the system takes, and wide strings the system gives back to UTF-8.

#include <string>
#include <string_view>

namespace tolmin::win {

// UTF-8 (repaired first when it is not valid) to UTF-16.
std::wstring to_wide(std::string_view utf8);
// UTF-16 to UTF-8, each unpaired surrogate as U+FFFD.
std::string to_utf8(std::wstring_view wide);

}  // namespace tolmin::win
