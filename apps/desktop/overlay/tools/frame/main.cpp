// tolmin-frame: reads render-model lines with the overlay's own line rules and parser and reports, line by
// line, the frame, its layout or its drawing operations as JSON (see --help).

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/command_line.hpp"
#include "frame/arguments.hpp"
#include "frame/frame_check.hpp"
#ifdef TOLMIN_FRAME_RENDER
#include "frame/render/render_command.hpp"
#endif
#include "frame/streams.hpp"
#ifdef _WIN32
#include "windows/wide_arguments.hpp"
#else
#include "text/unicode.hpp"
#endif

namespace {

using namespace tolmin;
using namespace tolmin::frame_tool;

void report(Output& err, std::string_view message) {
    write_diagnostic(err, message, PROGRAM_PREFIX);
}

int run(const std::vector<Argument>& arguments) {
    StandardStreams streams;
    auto parsed = parse_arguments(arguments);
    if (const auto* error = std::get_if<ArgumentError>(&parsed)) {
        // Both lines in one write.
        report(streams.err(), error->message + "\n" + std::string(TOOL_USAGE));
        return 2;
    }
    if (std::holds_alternative<HelpRequest>(parsed)) {
        streams.out().write(help_text());
        return 0;
    }
    const Invocation& invocation = std::get<Invocation>(parsed);

    std::unique_ptr<ByteSource> file;
    std::string input_name = "stdin";
    if (invocation.file) {
        input_name = quote_argument(invocation.file->text);
        auto opened = open_input_file(invocation.file->raw);
        if (!opened) {
            report(streams.err(), "cannot open " + input_name + ": " + opened.error().text);
            return 2;
        }
        file = std::move(opened.value());
    }
    CheckOptions options = invocation.options;
    std::unique_ptr<FrameRenderer> renderer;
    if (invocation.render) {
#ifdef TOLMIN_FRAME_RENDER
        auto made = make_renderer(*invocation.render, options.monitors,
                                  [&streams](std::string_view message) { report(streams.err(), message); });
        if (!made) {
            report(streams.err(), made.error().text);
            return 1;
        }
        renderer = std::move(made.value());
        options.renderer = renderer.get();
#else
        report(streams.err(), "render needs the native build of tolmin-frame (Cairo and Pango)");
        return 2;
#endif
    }
    const CheckSummary summary = run_check(file ? *file : streams.in(), options, streams.out());
    if (summary.render_error) {
        report(streams.err(), *summary.render_error);
        return 1;
    }
    if (summary.read_error) {
        report(streams.err(), "cannot read " + input_name + ": " + *summary.read_error);
        return 1;
    }
    return summary.rejected > 0 ? 1 : 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return run(win::wide_arguments(argc, argv));
}
#else
// NOLINTNEXTLINE(bugprone-exception-escape): what can escape is std::bad_alloc, and ending then is right.
int main(int argc, char** argv) {
    std::vector<Argument> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(Argument{repair_utf8(argv[i]), std::filesystem::path(argv[i])});
    }
    return run(arguments);
}
#endif
