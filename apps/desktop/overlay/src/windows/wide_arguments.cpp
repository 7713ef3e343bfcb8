#include "windows/wide_arguments.hpp"

#include <string>
#include <string_view>

#include "windows/wide_text.hpp"

namespace tolmin::win {

std::vector<Argument> wide_arguments(int argc, const wchar_t* const* argv) {
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view units = argv[i] != nullptr ? std::wstring_view(argv[i]) : std::wstring_view();
        arguments.push_back(Argument{to_utf8(units), std::filesystem::path(std::wstring(units))});
    }
    return arguments;
}

}  // namespace tolmin::win
