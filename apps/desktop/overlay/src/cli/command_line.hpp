#pragma once
// The argument grammar: --fonts <dir> / --fonts=<dir>, --probe, --version / -V.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tolmin {

inline constexpr std::string_view VERSION_LINE = "tolmin-overlay " TOLMIN_VERSION "\n";
inline constexpr std::string_view USAGE = "usage: tolmin-overlay [--fonts <dir>] [--probe] | --version";

// One argument as the system delivered it: `text` is its UTF-8 form with each invalid part replaced by
// U+FFFD (used for matching and quoting); `raw` is the exact native form (UTF-16 units on Windows, bytes
// elsewhere), kept only for the value of a separate `--fonts <dir>`.
struct Argument {
    std::string text;
    std::filesystem::path raw;
};

enum class Mode { Overlay, Probe, Version };

struct CommandLine {
    std::optional<std::filesystem::path> fonts;
    bool probe = false;
};

struct ParsedCommandLine {
    Mode mode = Mode::Overlay;
    CommandLine command_line;
};

// A command-line error; `message` goes after the prefix on the first of the two lines.
struct UsageError {
    std::string message;
};

std::variant<ParsedCommandLine, UsageError> parse_command_line(const std::vector<Argument>& arguments);

// The quoted form of an argument in the unknown-argument message, double quotes included.
std::string quote_argument(std::string_view text);

}  // namespace tolmin
