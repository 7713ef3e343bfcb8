#include "frame/arguments.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

#include "frame/monitor_option.hpp"

namespace tolmin::frame_tool {
namespace {

constexpr std::string_view HELP = R"(tolmin-frame checks render-model lines the way tolmin-overlay reads them.

usage:
  tolmin-frame check  [FILE]
  tolmin-frame layout [--monitor SPEC]... [--no-monitors] [--now MS] [--advance A] [FILE]
  tolmin-frame paint  [--monitor SPEC]... [--no-monitors] [--now MS] [--advance A] [FILE]
  tolmin-frame render [--fonts DIR] [--monitor SPEC]... [--now MS] [--out DIR] [--backdrop] [FILE]
  tolmin-frame --help

Reads FILE (standard input when FILE is absent or "-") with exactly the overlay's line rules: lines end at a
line feed, a line may hold at most 1,048,575 bytes before its line feed (1 MiB with it), invalid UTF-8 becomes
U+FFFD, and a last line without a line feed counts. Lines are numbered from 1; blank and over-long lines are
counted too. For every line that is not blank, one line of compact JSON goes to standard output (N is the line
number):

  a line that does not parse, has another model version or is over 1 MiB (all commands):
    {"line":N,"error":TEXT}   TEXT is what tolmin-overlay writes after "tolmin-overlay: "

  check:
    {"line":N,"frame":FRAME}
    FRAME holds every field of the frame in declaration order with the defaults filled in; none is null,
    enumerations are their JSON names (a toast kind the overlay does not know is "unrecognized"), a count is
    the string or number it was; each toast also has "count_label" (null without a count) and "has_detail".

  layout:
    {"line":N,"monitor":I,"scale":S,"layout":L,"window":{"x":X,"y":Y},"next_repaint":R,"damage":D}
    I is the index of the monitor the frame goes to, S the scale, L the layout with its fields in
    declaration order ("blocks", each {"kind","index","alpha","slide","x","y","w","h"}, then "scale",
    "stroke", "width", "height", "margin_x", "margin_y", "anchor"), the window's top-left corner on the
    desktop, R the repaint timer the overlay arms: "now" (every 16 ms while a toast fades),
    {"at":T,"wait_ms":W} (the next toast change at T ms since 1970, after W ms) or null (no timer), and D
    what the overlay repaints to show this frame after the one it showed before: "all" (the first picture,
    a window moved or resized, another monitor or scale), the parts [[x,y,w,h],...] of the window, or []
    (nothing changes). A layout without blocks hides the overlay: "window", "next_repaint" and "damage" are
    null. Without any monitor (--no-monitors) the overlay hides before laying out: monitor, scale, layout,
    window, next_repaint and damage are all null.

  paint:
    {"line":N,"ops":[...]}
    The drawing operations of the whole picture of the same frame, in order:
    {"op":"begin","width","height","area":[x,y,w,h]}, {"op":"push_clip","area":[x,y,w,h]}, {"op":"pop_clip"},
    {"op":"set_transform","dx","dy"}, {"op":"push_layer","opacity"}, {"op":"pop_layer"},
    {"op":"fill_rect","rect":[l,t,r,b],"rgba":[r,g,b,a]},
    {"op":"fill_ellipse","center":[x,y],"radius":[rx,ry],"rgba":[r,g,b,a]},
    {"op":"draw_text","text","style","fit","origin":[x,y],"rgba":[r,g,b,a]},
    {"op":"present","x","y","width","height","area":[x,y,w,h]}. "area" is the part of the window drawn and
    presented; each block is clipped to its own pixels. Colour channels are 0..1 (a byte / 255). A hidden
    overlay draws nothing: "ops":[].

  render:
    {"line":N,"file":PATH,"window":{"x":X,"y":Y,"width":W,"height":H}}
    The picture the overlay would hand to its window, drawn with Cairo and Pango through the overlay's own
    painter (as the overlay does: only what changed since the line before, over that line's picture), as a
    PNG of the window's size with straight alpha, written to PATH = DIR/NNNN.png (the line number, at least
    four digits). Texts are measured by Pango, so the Hud and Night widths follow the real
    faces. A hidden overlay writes no file: "file":null,"window":null. A frame that cannot be drawn:
    {"line":N,"error":"cannot draw this frame: ..."}. Files are written whole or not at all.

options (layout, paint and render, except --no-monitors and --advance for render; each also as
--option=VALUE):
  --monitor [NAME=]WxH[@DPI][+X+Y][,primary]
      a monitor as the system would list it, repeatable, in enumeration order. NAME is the device name
      (without NAME= the n-th monitor is \\.\DISPLAYn; with an empty NAME it has none), W x H its size and
      X, Y its top-left corner in physical pixels (X and Y may be negative: +-3840+0), DPI its effective DPI
      (default 96). Without --monitor: \\.\DISPLAY1=1920x1080@96+0+0,primary.
  --no-monitors
      the system lists no monitor at all.
  --now MS
      the wall clock in milliseconds since 1970-01-01 00:00 UTC (default: the real clock, read for each
      frame).
  --advance A
      texts are measured as if every character were A x the font size wide (plus the style's tracking);
      default 0.5, A >= 0.

options (render only):
  --fonts DIR
      the .ttf files of DIR are the faces, as for tolmin-overlay --fonts; without them (or without
      "Barlow Condensed" and "JetBrains Mono" among them) texts fall back to other faces, with a warning.
  --out DIR
      where the PNG files go (default: the current directory); a DIR that cannot be written is an error
      (status 1) before anything is read.
  --backdrop
      lays each picture over an opaque dark desktop-like background instead of leaving it transparent.

exit status:
  0  every line that is not blank is a frame the overlay would draw, and the input was read to its end
  1  a line was rejected or discarded as over-long, or reading failed ("tolmin-frame: cannot read stdin: "
     and the system's text on standard error; the lines before the failure are reported)
     render: also a frame that could not be drawn, an --out DIR that cannot be written, or a file that
     could not be written (one message on standard error; the run ends there)
  2  a command-line error, or FILE cannot be opened (a message on standard error)
)";

std::optional<double> parse_finite(std::string_view text) {
    double value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

ArgumentError invalid_value(std::string_view option, std::string_view value, std::string_view expected) {
    std::string message = "invalid value ";
    message += quote_argument(value);
    message += " for ";
    message += option;
    message += " (expected ";
    message += expected;
    message += ')';
    return ArgumentError{std::move(message)};
}

// Which commands accept an option: one bit per CheckCommand.
using Commands = unsigned;
constexpr Commands bit(CheckCommand command) {
    return 1u << static_cast<unsigned>(command);
}
constexpr Commands DRAWING = bit(CheckCommand::Layout) | bit(CheckCommand::Paint) | bit(CheckCommand::Render);
constexpr Commands LAYOUT_PAINT = bit(CheckCommand::Layout) | bit(CheckCommand::Paint);
constexpr Commands RENDER = bit(CheckCommand::Render);

struct Parsing {
    Invocation invocation;
    bool no_monitors = false;
};

// An option's value: its text, and the path the system gave (the joined form: the text after =).
struct Value {
    std::string_view text;
    std::filesystem::path path;
};

using Store = std::optional<ArgumentError> (*)(Parsing& parsing, std::string_view name, const Value& value);

struct Option {
    std::string_view name;
    bool takes_value;
    Commands commands;  // the commands that accept it
    Store store;
};

std::optional<ArgumentError> store_monitor(Parsing& parsing, std::string_view name, const Value& value) {
    std::vector<Monitor>& monitors = parsing.invocation.options.monitors;
    auto monitor = parse_monitor_option(value.text, monitors.size() + 1);
    if (!monitor) return invalid_value(name, value.text, MONITOR_OPTION_FORM);
    monitors.push_back(std::move(*monitor));
    return std::nullopt;
}

std::optional<ArgumentError> store_no_monitors(Parsing& parsing, std::string_view, const Value&) {
    parsing.no_monitors = true;
    return std::nullopt;
}

std::optional<ArgumentError> store_now(Parsing& parsing, std::string_view name, const Value& value) {
    const auto now = parse_finite(value.text);
    if (!now) return invalid_value(name, value.text, "a number of milliseconds");
    parsing.invocation.options.now_ms = *now;
    return std::nullopt;
}

std::optional<ArgumentError> store_advance(Parsing& parsing, std::string_view name, const Value& value) {
    const auto advance = parse_finite(value.text);
    if (!advance || *advance < 0) return invalid_value(name, value.text, "a number >= 0");
    parsing.invocation.options.advance = *advance;
    return std::nullopt;
}

std::optional<ArgumentError> store_fonts(Parsing& parsing, std::string_view, const Value& value) {
    parsing.invocation.render->fonts = value.path;
    return std::nullopt;
}

std::optional<ArgumentError> store_out(Parsing& parsing, std::string_view, const Value& value) {
    parsing.invocation.render->out = value.path;
    return std::nullopt;
}

std::optional<ArgumentError> store_backdrop(Parsing& parsing, std::string_view, const Value&) {
    parsing.invocation.render->backdrop = true;
    return std::nullopt;
}

constexpr Option OPTIONS[] = {
    {"--monitor", true, DRAWING, store_monitor},   {"--no-monitors", false, LAYOUT_PAINT, store_no_monitors},
    {"--now", true, DRAWING, store_now},           {"--advance", true, LAYOUT_PAINT, store_advance},
    {"--fonts", true, RENDER, store_fonts},        {"--out", true, RENDER, store_out},
    {"--backdrop", false, RENDER, store_backdrop},
};

struct CommandName {
    std::string_view name;
    CheckCommand command;
};

constexpr CommandName COMMANDS[] = {{"check", CheckCommand::Check},
                                    {"layout", CheckCommand::Layout},
                                    {"paint", CheckCommand::Paint},
                                    {"render", CheckCommand::Render}};

// The option of this name that `command` accepts, or null.
const Option* find_option(std::string_view name, CheckCommand command) {
    for (const Option& option : OPTIONS) {
        if (option.name == name && (option.commands & bit(command)) != 0) return &option;
    }
    return nullptr;
}

}  // namespace

std::string_view help_text() {
    return HELP;
}

std::variant<Invocation, HelpRequest, ArgumentError> parse_arguments(const std::vector<Argument>& arguments) {
    if (arguments.empty()) return ArgumentError{"missing command"};
    const std::string_view command = arguments.front().text;
    if (command == "--help" || command == "-h") return HelpRequest{};
    const auto named = std::find_if(std::begin(COMMANDS), std::end(COMMANDS),
                                    [&](const CommandName& c) { return c.name == command; });
    if (named == std::end(COMMANDS)) return ArgumentError{"unknown command " + quote_argument(command)};
    Parsing parsing;
    Invocation& invocation = parsing.invocation;
    invocation.options.command = named->command;
    if (named->command == CheckCommand::Render) invocation.render.emplace();

    bool options_ended = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view text = arguments[i].text;
        const bool looks_like_option = !options_ended && text.size() > 1 && text.front() == '-';
        if (!looks_like_option) {
            if (invocation.file) return ArgumentError{"unexpected argument " + quote_argument(text)};
            invocation.file = arguments[i];
            continue;
        }
        if (text == "--") {
            options_ended = true;
            continue;
        }
        if (text == "--help" || text == "-h") return HelpRequest{};

        const std::size_t equals = text.find('=');
        const std::string_view name = text.substr(0, equals);
        const Option* option = find_option(name, named->command);
        if (option == nullptr || (!option->takes_value && equals != std::string_view::npos)) {
            return ArgumentError{"unknown option " + quote_argument(text)};
        }
        Value value;
        if (option->takes_value && equals != std::string_view::npos) {
            value.text = text.substr(equals + 1);
            value.path = std::filesystem::path(std::string(value.text));
        } else if (option->takes_value) {
            if (i + 1 == arguments.size()) return ArgumentError{std::string(name) + " needs a value"};
            ++i;
            value.text = arguments[i].text;
            value.path = arguments[i].raw;
        }
        if (auto error = option->store(parsing, name, value)) return *std::move(error);
    }
    if (parsing.no_monitors && !invocation.options.monitors.empty()) {
        return ArgumentError{"--no-monitors and --monitor exclude each other"};
    }
    if (!parsing.no_monitors && invocation.options.monitors.empty()) {
        invocation.options.monitors.push_back(default_monitor());
    }
    if (invocation.file && invocation.file->text == "-") invocation.file.reset();
    return std::move(invocation);
}

}  // namespace tolmin::frame_tool
