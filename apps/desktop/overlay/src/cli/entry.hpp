#pragma once
// The process entry: the argument list (without the program name) in, the exit status out. The mode runners
// are injected so that every path of the grammar runs without a platform.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "base/output.hpp"
#include "cli/command_line.hpp"

namespace tolmin {

using ModeRunner = std::function<std::uint32_t(const std::optional<std::filesystem::path>& fonts)>;

struct ModeRunners {
    ModeRunner overlay;
    ModeRunner probe;
};

// Exit statuses: 0 success, 1 the mode could not run, 2 a command-line error.
std::uint32_t run_entry(const std::vector<Argument>& arguments, const ModeRunners& runners, Output& out,
                        Output& err);

}  // namespace tolmin
