// The Windows program's entry: the wide arguments become Arguments, the entry picks the mode, and its status
// is the process's exit status. Output goes through the raw standard handles, never the C runtime's text
// mode, so every byte (a line feed is 0x0A alone) reaches the host unchanged. Both streams are queued, so a
// host that does not read them never stalls the program, and it ends at most EXIT_WAIT after its mode did.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "base/queued_output.hpp"
#include "cli/entry.hpp"
#include "windows/modes.hpp"
#include "windows/std_streams.hpp"
#include "windows/wide_arguments.hpp"

int wmain(int argc, wchar_t** argv) {
    const std::vector<tolmin::Argument> arguments = tolmin::win::wide_arguments(argc, argv);

    using tolmin::win::HandleOutput;
    tolmin::QueuedOutput out(std::make_shared<HandleOutput>(HandleOutput::Stream::Out));
    // Shared with the overlay's reader thread, which is never joined.
    const auto err =
        std::make_shared<tolmin::QueuedOutput>(std::make_shared<HandleOutput>(HandleOutput::Stream::Err));
    tolmin::ModeRunners runners;
    runners.overlay = [&err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::win::run_overlay(fonts, err);
    };
    runners.probe = [&out, &err](const std::optional<std::filesystem::path>& fonts) {
        return tolmin::win::run_probe(fonts, out, *err);
    };
    const std::uint32_t status = tolmin::run_entry(arguments, runners, out, *err);

    // What a host does not read within the wait is left unwritten; the status stands either way.
    const auto deadline = std::chrono::steady_clock::now() + tolmin::EXIT_WAIT;
    (void)out.wait_written(deadline);
    (void)err->wait_written(deadline);
    return static_cast<int>(status);
}
