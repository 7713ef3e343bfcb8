// The Windows program's entry: the wide arguments become Arguments, the entry picks the mode, and its status
// is the process's exit status. Output goes through the raw standard handles, never the C runtime's text
// mode, so every byte (a line feed is 0x0A alone) reaches the host unchanged.

#include <filesystem>
#include <optional>
#include <vector>

#include "cli/entry.hpp"
#include "windows/modes.hpp"
#include "windows/std_streams.hpp"
#include "windows/wide_arguments.hpp"

int wmain(int argc, wchar_t** argv) {
    const std::vector<tolmin::Argument> arguments = tolmin::win::wide_arguments(argc, argv);

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
