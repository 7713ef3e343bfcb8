// What painting only the damage saves on the Cairo canvas with Pango texts, against painting the whole
// window as before, measured in the same run on two workloads of a full frame (Hud, Night, four alerts,
// three toasts) on the checker's default monitor:
//   fade     a repaint tick every 16 ms while one toast, re-born every 250 ms, fades in;
//   elapsed  the frame again with only the Hud's elapsed time moved on, as hosts send it every second.
// Each iteration is one application: plan (layout with Pango's measurements), damage, paint.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>

#include "cairo/cairo_canvas.hpp"
#include "cairo/font_files.hpp"
#include "cairo/pango_text.hpp"
#include "frame/frame_check.hpp"
#include "layout/frame_plan.hpp"
#include "model/parse_frame.hpp"
#include "paint/damage.hpp"
#include "paint/painter.hpp"

namespace {

using namespace tolmin;

constexpr double NOW_MS = 1.7e12;
constexpr std::int64_t REBIRTH_MS = 250;
constexpr std::int64_t TICK_MS = 16;

// The full frame with the third toast born at `born` and the Hud's elapsed time `elapsed`.
Frame full_frame(std::int64_t born, const std::string& elapsed) {
    const std::string dies = std::to_string(static_cast<std::int64_t>(NOW_MS) + 3600000);
    std::string line = R"({"anchor":"bottom-right","hud":{"dot":"#00FF66","state":"LIVE","elapsed":")" +
                       elapsed + R"(","presence":"3 watching"},)";
    line += R"("night":{"tag":"MATCHDAY 12","title":"Evening session at the north stand"},"alerts":[)";
    line += R"({"title":"Stream bitrate dropped below the target","bar":"#3399FF","detail":"2.1 Mbit/s"},)";
    line += R"({"title":"Audio","detail":"muted for 12 seconds"},{"title":"Camera 2 disconnected"},)";
    line += R"({"title":"Chat is in slow mode","detail":"30 s"}],"toasts":[)";
    line +=
        R"({"kind":"marker","born":1699990000000,"dies":)" + dies +
        R"(,"title":"Goal by number nine","count":3,"time":"12:04","detail":"Assisted by the left back"},)";
    line += R"({"kind":"same","born":1699990000000,"dies":)" + dies +
            R"(,"title":"Same play as last week","detail":"replay","index":"2"},)";
    line += R"({"kind":"caller","born":)" + std::to_string(born) + R"(,"dies":)" + dies +
            R"(,"title":"Incoming call from the studio","time":"00:42","index":"1"}]})";
    LineOutcome outcome = parse_frame_line(line);
    if (auto* parsed = std::get_if<Parsed>(&outcome)) return std::move(parsed->frame);
    std::abort();
}

void load_faces() {
    static const bool loaded = [] {
        cairo::load_font_directory(std::filesystem::path(TOLMIN_FONTS_DIR), [](std::string_view m) {
            std::fprintf(stderr, "%.*s\n", static_cast<int>(m.size()), m.data());
        });
        return cairo::faces_present();
    }();
    if (!loaded) std::fprintf(stderr, "the faces of %s did not load; texts fall back\n", TOLMIN_FONTS_DIR);
}

// One application of `frame` at `now`: with damage against what the canvas shows, or whole.
void apply(const Frame& frame, double now, bool damaged, cairo::PangoTextService& text,
           cairo::CairoCanvas& canvas, std::optional<ShownPicture>& shown) {
    static const std::vector<Monitor> monitors{default_monitor()};
    const FramePlan plan = plan_frame(frame, monitors, now, text);
    ShownPicture next = shown_picture(frame, plan.layout, monitors[*plan.monitor], *plan.window);
    const Damage damage = damaged ? damage_between(shown, next) : Damage::all();
    if (!paint_frame(canvas, text, plan.window->x, plan.window->y, frame, plan.layout, damage)) std::abort();
    shown = std::move(next);
}

void BM_FadeTick(benchmark::State& state) {
    load_faces();
    const bool damaged = state.range(0) != 0;
    cairo::PangoTextService text;
    cairo::CairoCanvas canvas;
    std::optional<ShownPicture> shown;
    std::int64_t t = static_cast<std::int64_t>(NOW_MS);
    for (auto _ : state) {
        t += TICK_MS;
        apply(full_frame(t - t % REBIRTH_MS, "01:12:45"), static_cast<double>(t), damaged, text, canvas,
              shown);
    }
    state.counters["layouts/tick"] =
        benchmark::Counter(static_cast<double>(text.layouts_made()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FadeTick)->ArgName("damage")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ElapsedUpdate(benchmark::State& state) {
    load_faces();
    const bool damaged = state.range(0) != 0;
    cairo::PangoTextService text;
    cairo::CairoCanvas canvas;
    std::optional<ShownPicture> shown;
    std::int64_t second = 0;
    for (auto _ : state) {
        ++second;
        char elapsed[16];
        std::snprintf(elapsed, sizeof elapsed, "%02d:%02d:%02d", static_cast<int>(second / 3600 % 100),
                      static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
        apply(full_frame(1699990000000, elapsed), NOW_MS, damaged, text, canvas, shown);
    }
}
BENCHMARK(BM_ElapsedUpdate)->ArgName("damage")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
