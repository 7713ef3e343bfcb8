// tolmin-frame render's cost per frame: the full frame of the gallery (Hud, Night, four alerts, three toasts)
// laid out with Pango's measurements, painted with Cairo and encoded as PNG, against the reference of the
// same frame laid out and painted into the recording canvas, measured in the same run. The goal is at most 5
// ms per rendered frame. A second case renders 10,000 frames and reports the resident memory after the first
// 100 and after the last, which should stay flat.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <variant>

#include "cairo/cairo_canvas.hpp"
#include "cairo/font_files.hpp"
#include "cairo/pango_text.hpp"
#include "cairo/png_picture.hpp"
#include "frame/frame_check.hpp"
#include "layout/frame_plan.hpp"
#include "model/parse_frame.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"

namespace {

using namespace tolmin;

// The gallery's clock (docs/gallery is rendered with --now 1767225600000).
constexpr double NOW_MS = 1767225600000.0;

Frame gallery_frame() {
    std::ifstream file(TOLMIN_GALLERY_FILE);
    std::string line;
    std::getline(file, line);
    LineOutcome outcome = parse_frame_line(line);
    if (auto* parsed = std::get_if<Parsed>(&outcome)) return std::move(parsed->frame);
    std::fprintf(stderr, "no frame in the first line of %s\n", TOLMIN_GALLERY_FILE);
    std::abort();
}

const std::vector<Monitor>& monitors() {
    static const std::vector<Monitor> list{default_monitor()};
    return list;
}

// Plans, paints and encodes one frame; the PNG's size.
std::size_t render_once(const Frame& frame, cairo::PangoTextService& text, cairo::CairoCanvas& canvas) {
    const FramePlan plan = plan_frame(frame, monitors(), NOW_MS, text);
    if (!plan.window || !paint_frame(canvas, text, plan.window->x, plan.window->y, frame, plan.layout)) {
        std::abort();
    }
    const cairo::SurfacePtr picture = canvas.picture();
    Result<std::string> png = cairo::encode_png(picture.get(), false);
    if (!png) std::abort();
    return png->size();
}

void load_faces() {
    static const bool loaded = [] {
        cairo::load_font_directory(std::filesystem::path(TOLMIN_FONTS_DIR), [](std::string_view m) {
            std::fprintf(stderr, "%.*s\n", int(m.size()), m.data());
        });
        return cairo::faces_present();
    }();
    if (!loaded) std::fprintf(stderr, "the faces of %s did not load; texts fall back\n", TOLMIN_FONTS_DIR);
}

void BM_RenderFrame(benchmark::State& state) {
    load_faces();
    const Frame frame = gallery_frame();
    cairo::PangoTextService text;
    cairo::CairoCanvas canvas;
    std::size_t bytes = 0;
    for (auto _ : state) bytes = render_once(frame, text, canvas);
    state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMillisecond);

// The same without the PNG: how the frame's time splits between drawing and encoding.
void BM_PaintFrameOnly(benchmark::State& state) {
    load_faces();
    const Frame frame = gallery_frame();
    cairo::PangoTextService text;
    cairo::CairoCanvas canvas;
    for (auto _ : state) {
        const FramePlan plan = plan_frame(frame, monitors(), NOW_MS, text);
        Result<void> painted = paint_frame(canvas, text, plan.window->x, plan.window->y, frame, plan.layout);
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_PaintFrameOnly)->Unit(benchmark::kMillisecond);

// The reference: the same frame planned and painted into the recording canvas with the fixed text service.
void BM_RecordFrame(benchmark::State& state) {
    const Frame frame = gallery_frame();
    FixedTextService text;
    for (auto _ : state) {
        RecordingCanvas canvas;
        const FramePlan plan = plan_frame(frame, monitors(), NOW_MS, text);
        Result<void> painted = paint_frame(canvas, text, plan.window->x, plan.window->y, frame, plan.layout);
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_RecordFrame)->Unit(benchmark::kMillisecond);

// The resident set in KiB, from /proc/self/statm.
double resident_kib() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * (static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0);
}

void BM_MemoryOver10000Frames(benchmark::State& state) {
    load_faces();
    const Frame frame = gallery_frame();
    cairo::PangoTextService text;
    cairo::CairoCanvas canvas;
    double after_100 = 0;
    std::int64_t done = 0;
    for (auto _ : state) {
        render_once(frame, text, canvas);
        if (++done == 100) after_100 = resident_kib();
    }
    state.counters["rss_kib_after_100"] = after_100;
    state.counters["rss_kib_after_10000"] = resident_kib();
}
BENCHMARK(BM_MemoryOver10000Frames)->Iterations(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
