#include "frame/arguments.hpp"

#include <charconv>
#include <cmath>

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
    {"line":N,"monitor":I,"scale":S,"layout":L,"window":{"x":X,"y":Y},"next_repaint":R}
    I is the index of the monitor the frame goes to, S the scale, L the layout with its fields in
    declaration order ("blocks", each {"kind","index","alpha","slide","x","y","w","h"}, then "scale",
    "stroke", "width", "height", "margin_x", "margin_y", "anchor"), the window's top-left corner on the
    desktop, and R the repaint timer the overlay arms: "now" (every 16 ms while a toast fades),
    {"at":T,"wait_ms":W} (the next toast change at T ms since 1970, after W ms) or null (no timer).
    A layout without blocks hides the overlay: "window" and "next_repaint" are null. Without any monitor
    (--no-monitors) the overlay hides before laying out: monitor, scale, layout, window and next_repaint
    are all null.

  paint:
    {"line":N,"ops":[...]}
    The drawing operations of the same frame, in order: {"op":"begin","width","height"},
    {"op":"set_transform","dx","dy"}, {"op":"push_layer","opacity"}, {"op":"pop_layer"},
    {"op":"fill_rect","rect":[l,t,r,b],"rgba":[r,g,b,a]},
    {"op":"fill_ellipse","center":[x,y],"radius":[rx,ry],"rgba":[r,g,b,a]},
    {"op":"draw_text","text","style","fit","origin":[x,y],"rgba":[r,g,b,a]},
    {"op":"present","x","y","width","height"}. Colour channels are 0..1 (a byte / 255). A hidden overlay
    draws nothing: "ops":[].

  render:
    {"line":N,"file":PATH,"window":{"x":X,"y":Y,"width":W,"height":H}}
    The picture the overlay would hand to its window, drawn with Cairo and Pango through the overlay's own
    painter, as a PNG of the window's size with straight alpha, written to PATH = DIR/NNNN.png (the line
    number, at least four digits). Texts are measured by Pango, so the Hud and Night widths follow the real
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

struct Option {
    std::string_view name;
    bool takes_value;
};

constexpr Option OPTIONS[] = {
    {"--monitor", true}, {"--no-monitors", false}, {"--now", true}, {"--advance", true}};
// The render command's options beside --monitor and --now.
constexpr Option RENDER_OPTIONS[] = {
    {"--monitor", true}, {"--now", true}, {"--fonts", true}, {"--out", true}, {"--backdrop", false}};

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

}  // namespace

std::string_view help_text() {
    return HELP;
}

std::variant<Invocation, HelpRequest, ArgumentError> parse_arguments(const std::vector<Argument>& arguments) {
    if (arguments.empty()) return ArgumentError{"missing command"};
    const std::string_view command = arguments.front().text;
    Invocation invocation;
    if (command == "--help" || command == "-h") {
        return HelpRequest{};
    } else if (command == "check") {
        invocation.options.command = CheckCommand::Check;
    } else if (command == "layout") {
        invocation.options.command = CheckCommand::Layout;
    } else if (command == "paint") {
        invocation.options.command = CheckCommand::Paint;
    } else if (command == "render") {
        invocation.options.command = CheckCommand::Render;
        invocation.render.emplace();
    } else {
        return ArgumentError{"unknown command " + quote_argument(command)};
    }

    bool no_monitors = false;
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
        const Option* option = nullptr;
        if (invocation.render) {
            for (const Option& candidate : RENDER_OPTIONS) {
                if (candidate.name == name) option = &candidate;
            }
        } else if (invocation.options.command != CheckCommand::Check) {
            for (const Option& candidate : OPTIONS) {
                if (candidate.name == name) option = &candidate;
            }
        }
        if (option == nullptr || (!option->takes_value && equals != std::string_view::npos)) {
            return ArgumentError{"unknown option " + quote_argument(text)};
        }
        std::string_view value;
        std::filesystem::path path;  // a directory as the system gave it (the joined form: the text after =)
        if (option->takes_value) {
            if (equals != std::string_view::npos) {
                value = text.substr(equals + 1);
                path = std::filesystem::path(std::string(value));
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i].text;
                path = arguments[i].raw;
            } else {
                return ArgumentError{std::string(name) + " needs a value"};
            }
        }

        if (name == "--monitor") {
            const std::size_t position = invocation.options.monitors.size() + 1;
            auto monitor = parse_monitor_option(value, position);
            if (!monitor) return invalid_value(name, value, MONITOR_OPTION_FORM);
            invocation.options.monitors.push_back(std::move(*monitor));
        } else if (name == "--fonts") {
            invocation.render->fonts = path;
        } else if (name == "--out") {
            invocation.render->out = path;
        } else if (name == "--backdrop") {
            invocation.render->backdrop = true;
        } else if (name == "--no-monitors") {
            no_monitors = true;
        } else if (name == "--now") {
            const auto now = parse_finite(value);
            if (!now) return invalid_value(name, value, "a number of milliseconds");
            invocation.options.now_ms = *now;
        } else {  // --advance
            const auto advance = parse_finite(value);
            if (!advance || *advance < 0) return invalid_value(name, value, "a number >= 0");
            invocation.options.advance = *advance;
        }
    }
    if (no_monitors && !invocation.options.monitors.empty()) {
        return ArgumentError{"--no-monitors and --monitor exclude each other"};
    }
    if (!no_monitors && invocation.options.monitors.empty()) {
        invocation.options.monitors.push_back(default_monitor());
    }
    if (invocation.file && invocation.file->text == "-") invocation.file.reset();
    return invocation;
}

}  // namespace tolmin::frame_tool
