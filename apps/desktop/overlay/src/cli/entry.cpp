#include "cli/entry.hpp"

#include <string>

namespace tolmin {
namespace {

constexpr std::uint32_t STATUS_OK = 0;
constexpr std::uint32_t STATUS_MODE_FAILED = 1;
constexpr std::uint32_t STATUS_USAGE = 2;

std::uint32_t run_mode(const ModeRunner& runner, const std::optional<std::filesystem::path>& fonts) {
    if (!runner) {
        return STATUS_MODE_FAILED;  // a program built without this mode
    }
    return runner(fonts);
}

}  // namespace

std::uint32_t run_entry(const std::vector<Argument>& arguments, const ModeRunners& runners, Output& out,
                        Output& err) {
    auto parsed = parse_command_line(arguments);
    if (const UsageError* usage = std::get_if<UsageError>(&parsed)) {
        write_diagnostic(err, usage->message);
        std::string usage_line(USAGE);
        usage_line.push_back('\n');
        err.write(usage_line);
        return STATUS_USAGE;
    }
    const ParsedCommandLine& command = std::get<ParsedCommandLine>(parsed);
    switch (command.mode) {
        case Mode::Version:
            out.write(VERSION_LINE);
            return STATUS_OK;
        case Mode::Probe:
            return run_mode(runners.probe, command.command_line.fonts);
        case Mode::Overlay:
            break;
    }
    return run_mode(runners.overlay, command.command_line.fonts);
}

}  // namespace tolmin
