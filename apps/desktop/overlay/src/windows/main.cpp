// The Windows program's entry: the wide arguments become Arguments, the entry picks the mode, and its status
// is the process's exit status. Output goes through the raw standard handles, never the C runtime's text
// mode, so every byte (a line feed is 0x0A alone) reaches the host unchanged.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/entry.hpp"
#include "text/unicode.hpp"
#include "windows/modes.hpp"
#include "windows/std_streams.hpp"

namespace {

tolmin::Argument make_argument(const wchar_t* wide) {
    const std::wstring_view units = wide != nullptr ? std::wstring_view(wide) : std::wstring_view();
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "a Windows wide character is one UTF-16 unit");
    const std::u16string utf16(units.begin(), units.end());
    return tolmin::Argument{tolmin::utf16_to_utf8(utf16), std::filesystem::path(std::wstring(units))};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<tolmin::Argument> arguments;
    // The first element is the program as it was started, whatever it holds; it is never an option.
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(make_argument(argv[i]));
    }

    tolmin::win::HandleOutput out(tolmin::win::HandleOutput::Stream::Out);
    tolmin::win::HandleOutput err(tolmin::win::HandleOutput::Stream::Err);
    tolmin::ModeRunners runners;
    runners.overlay = [&err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::win::run_overlay(fonts, err);
    };
    runners.probe = [&out, &err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::win::run_probe(fonts, out, err);
    };
    return static_cast<int>(tolmin::run_entry(arguments, runners, out, err));
}
