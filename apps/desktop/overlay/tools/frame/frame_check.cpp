#include "frame/frame_check.hpp"

#include <utility>
#include <variant>

#include "frame/line_reports.hpp"
#include "input/frame_reader.hpp"
#include "layout/repaint.hpp"
#include "model/parse_frame.hpp"
#include "paint/recording_canvas.hpp"

namespace tolmin {

Monitor default_monitor() {
    Monitor monitor;
    monitor.name = "\\\\.\\DISPLAY1";
    monitor.width = 1920;
    monitor.height = 1080;
    monitor.dpi = 96;
    monitor.primary = true;
    return monitor;
}

CheckSummary run_check(ByteSource& input, const CheckOptions& options, Output& out) {
    CheckSummary summary;
    FixedTextService text(options.advance);
    std::optional<ShownPicture> shown;  // what the overlay shows after the lines so far
    LineReader lines(input);
    const auto emit = [&out](std::string report) {
        report += '\n';
        out.write(report);
    };
    for (;;) {
        LineReader::Line line = lines.next();
        if (line.kind == LineReader::Line::Kind::End) {
            return summary;
        }
        if (line.kind == LineReader::Line::Kind::Failed) {
            summary.read_error = std::move(line.error);
            return summary;
        }
        const std::size_t number = ++summary.lines;
        if (line.kind == LineReader::Line::Kind::TooLong) {
            ++summary.rejected;
            emit(error_report(number, LINE_TOO_LONG_TEXT));
            continue;
        }
        LineOutcome outcome = parse_frame_line(line.text);
        if (const auto* rejected = std::get_if<Rejected>(&outcome)) {
            ++summary.rejected;
            emit(error_report(number, rejected->text));
            continue;
        }
        const auto* parsed = std::get_if<Parsed>(&outcome);
        if (parsed == nullptr) {
            continue;  // Blank
        }
        if (options.command == CheckCommand::Check) {
            emit(check_report(number, parsed->frame));
            continue;
        }
        const double now = options.now_ms ? *options.now_ms : now_ms();
        if (options.command == CheckCommand::Render && options.renderer != nullptr) {
            Result<RenderedLine> rendered = options.renderer->render(number, parsed->frame, now);
            if (!rendered) {
                summary.render_error = rendered.error().text;
                return summary;
            }
            if (rendered->failed) ++summary.rejected;
            emit(std::move(rendered->report));
            continue;
        }
        if (options.command == CheckCommand::Layout) {
            emit(layout_report(number, parsed->frame, options.monitors, now, text, shown));
        } else {
            emit(paint_report(number, parsed->frame, options.monitors, now, text));
        }
    }
}

}  // namespace tolmin
