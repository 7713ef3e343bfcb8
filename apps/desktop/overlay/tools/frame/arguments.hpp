#pragma once
// tolmin-frame's command line: a command (check, layout, paint, render), its options and at most one FILE.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/command_line.hpp"
#include "frame/frame_check.hpp"

namespace tolmin::frame_tool {

inline constexpr std::string_view PROGRAM_PREFIX = "tolmin-frame: ";
inline constexpr std::string_view TOOL_USAGE =
    "usage: tolmin-frame check|layout|paint|render [OPTIONS] [FILE]  (tolmin-frame --help explains)";

struct HelpRequest {};

// The render command's own options.
struct RenderSettings {
    std::optional<std::filesystem::path> fonts;  // --fonts DIR
    std::filesystem::path out = ".";             // --out DIR
    bool backdrop = false;                       // --backdrop
};

struct Invocation {
    CheckOptions options;
    std::optional<Argument> file;  // none: standard input

    // The render command's settings; none for the other commands.
    std::optional<RenderSettings> render;
};

struct ArgumentError {
    std::string message;  // the text after "tolmin-frame: "
};

std::variant<Invocation, HelpRequest, ArgumentError> parse_arguments(const std::vector<Argument>& arguments);

// The --help text, ending with a line feed.
std::string_view help_text();

}  // namespace tolmin::frame_tool
