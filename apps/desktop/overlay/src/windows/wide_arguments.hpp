#pragma once
// The program's wide argument list as the entry takes it.

#include <vector>

#include "cli/command_line.hpp"

namespace tolmin::win {

// argv[1..argc) (the first element, the program as it was started, is never an option): each argument's
// UTF-16 units as UTF-8 text (an unpaired surrogate as U+FFFD) beside its exact native form.
std::vector<Argument> wide_arguments(int argc, const wchar_t* const* argv);

}  // namespace tolmin::win
