// The Linux program's entry: the arguments become Arguments, the entry picks the mode, and its status is the
// process's exit status. The overlay and the probe run on Wayland or X11, as the environment says. Both
// standard streams are queued, so a host that does not read them never stalls the program, and it ends at
// most EXIT_WAIT after its mode did.

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "base/queued_output.hpp"
#include "cli/entry.hpp"
#include "linux/backend_choice.hpp"
#include "linux/fd_output.hpp"
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

    tolmin::QueuedOutput out(std::make_shared<tolmin::desktop::FdOutput>(STDOUT_FILENO));
    // Shared with the overlay's reader thread, which is never joined.
    const auto err =
        std::make_shared<tolmin::QueuedOutput>(std::make_shared<tolmin::desktop::FdOutput>(STDERR_FILENO));
    tolmin::ModeRunners runners;
    runners.overlay = [&err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::desktop::run_overlay_mode(fonts, err);
    };
    runners.probe = [&out, &err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::desktop::run_probe_mode(fonts, out, *err);
    };
    const std::uint32_t status = tolmin::run_entry(arguments, runners, out, *err);

    // What a host does not read within the wait is left unwritten; the status stands either way.
    const auto deadline = std::chrono::steady_clock::now() + tolmin::EXIT_WAIT;
    (void)out.wait_written(deadline);
    (void)err->wait_written(deadline);
    return static_cast<int>(status);
}
