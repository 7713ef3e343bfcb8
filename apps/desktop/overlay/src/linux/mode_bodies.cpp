#include "linux/mode_bodies.hpp"

#include <memory>
#include <string>

#include "base/repeat_folder.hpp"
#include "cairo/font_files.hpp"
#include "cairo/pango_text.hpp"
#include "layout/probe_report.hpp"
#include "linux/frame_channel.hpp"
#include "linux/overlay_loop.hpp"

namespace tolmin::desktop {
namespace {

void load_fonts(const std::optional<std::filesystem::path>& fonts, Output& err) {
    cairo::load_font_directory(fonts, [&err](std::string_view text) { write_diagnostic(err, text); });
}

}  // namespace

std::uint32_t run_overlay_on(WindowSystem& system, const std::optional<std::filesystem::path>& fonts,
                             const std::shared_ptr<Output>& shared_err) {
    Output& err = *shared_err;
    // The faces must be known to fontconfig before Pango lays out the first text.
    load_fonts(fonts, err);
    cairo::PangoTextService text;

    Result<WakeUp> wake = WakeUp::make();
    Result<RepaintTimer> timer = RepaintTimer::make();
    if (!wake || !timer) {
        write_diagnostic(err, "cannot make a window: " + (wake ? timer.error() : wake.error()).text);
        return 1;
    }
    auto channel = std::make_shared<FrameChannel>(std::move(wake).value());
    if (Result<void> started = start_reader(channel, shared_err); !started) {
        write_diagnostic(err, "failed to spawn thread: " + started.error().text);
        return 1;
    }
    RepeatFolder reports(err);
    return run_overlay_loop(system, text, *channel, timer.value(), reports, err);
}

std::uint32_t write_probe(std::string_view backend, bool layer_shell, const std::vector<Monitor>& monitors,
                          const std::optional<std::filesystem::path>& fonts, Output& out, Output& err) {
    load_fonts(fonts, err);
    if (!cairo::faces_present())
        write_diagnostic(err, "the overlay's own faces did not load; text will fall back");

    // No Linux window system can keep a window out of captures.
    ProbeReport report = make_probe_report(false, monitors);
    report.backend = backend;
    report.layer_shell = layer_shell;
    const Result<std::string> line = write_probe_report(report);
    if (!line) {
        write_diagnostic(err, "cannot describe this display: " + line.error().text);
        return 1;
    }
    out.write(line.value() + "\n");
    return 0;
}

}  // namespace tolmin::desktop
