// The Linux program's entry: the arguments become Arguments, the entry picks the mode, and its status is the
// process's exit status. The overlay and the probe run on Wayland or X11, as the environment says.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/stdio_output.hpp"
#include "cli/entry.hpp"
#include "linux/backend_choice.hpp"
#include "text/unicode.hpp"

int main(int argc, char** argv) {
    // A host that closed its end of a pipe must not end the overlay: a write there fails instead.
    (void)std::signal(SIGPIPE, SIG_IGN);

    std::vector<tolmin::Argument> arguments;
    // The first element is the program as it was started, whatever it holds; it is never an option.
    for (int i = 1; i < argc; ++i) {
        const std::string_view bytes(argv[i]);
        arguments.push_back(tolmin::Argument{tolmin::repair_utf8(bytes), std::filesystem::path(bytes)});
    }

    tolmin::StdioOutput out(stdout);
    tolmin::StdioOutput err(stderr);
    tolmin::ModeRunners runners;
    runners.overlay = [&err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::desktop::run_overlay_mode(fonts, err);
    };
    runners.probe = [&out, &err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::desktop::run_probe_mode(fonts, out, err);
    };
    return static_cast<int>(tolmin::run_entry(arguments, runners, out, err));
}
