// Layout plus paint of a full frame through a canvas that only counts its operations, against the parse of
// the same frame's input line measured in the same run. The goal is a layout and paint of at most 10 us per
// frame; the ratio to the parse says how the window thread's share compares with the reader thread's. Both
// are printed by scripts/bench from the JSON output (bench/ratios.py).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "layout/layout.hpp"
#include "model/parse_frame.hpp"
#include "paint/painter.hpp"
#include "paint/recording_canvas.hpp"

namespace {

using namespace tolmin;

constexpr double NOW_MS = 1.7e12;

// Hud with presence, Night with a tag, four alerts, three toasts of the three looks (the caller fading in).
std::string frame_line() {
    const std::string born_long_ago = std::to_string(static_cast<std::int64_t>(NOW_MS) - 5000);
    const std::string born_just_now = std::to_string(static_cast<std::int64_t>(NOW_MS) - 60);
    const std::string dies = std::to_string(static_cast<std::int64_t>(NOW_MS) + 8000);
    std::string line = R"({"v":1,"anchor":"top-right","offset":24,"scale":1,)";
    line += R"("hud":{"dot":"#00FF66","state":"LIVE","state_color":"#FF2E55",)";
    line += R"("elapsed":"01:12:45","presence":"3 watching"},)";
    line += R"("night":{"tag":"MATCHDAY 12","title":"Evening session at the north stand"},"alerts":[)";
    const char* alerts[] = {
        R"({"id":"a1","bar":"#3399FF","title":"Stream bitrate dropped below the target","detail":"2.1 Mbit/s"})",
        R"({"id":"a2","bar":"red","title":"Audio","detail":"muted for 12 seconds","detail_color":"#C9C9D2"})",
        R"({"id":"a3","title":"Camera 2 disconnected","title_color":"#F2F2F5"})",
        R"({"id":"a4","title":"Chat is in slow mode","detail":""})",
    };
    for (int i = 0; i < 4; ++i) line += std::string(i ? "," : "") + alerts[i];
    line += R"(],"toasts":[)";
    line += R"({"id":"t1","kind":"marker","born":)" + born_long_ago + R"(,"dies":)" + dies +
            R"(,"tick":"#8B8B96","title":"Goal by number nine after a long run","count":3,"time":"12:04",)"
            R"("detail":"Assisted by the left back, second of the evening"},)";
    line += R"({"id":"t2","kind":"caller","born":)" + born_just_now + R"(,"dies":)" + dies +
            R"(,"title":"Incoming call from the studio","time":"00:42","index":"1"},)";
    line += R"({"id":"t3","kind":"same","born":)" + born_long_ago + R"(,"dies":)" + dies +
            R"(,"title":"Same play as last week","detail":"replay","index":"2"}]})";
    return line;
}

// A canvas that only counts what it is asked to do.
class CountingCanvas final : public Canvas {
public:
    Result<void> begin_surface(std::int32_t, std::int32_t, const PixelRect&) override {
        ++ops;
        return {};
    }
    Result<void> present_surface(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                 const PixelRect&) override {
        ++ops;
        return {};
    }
    void push_clip(const PixelRect&) override { ++ops; }
    void pop_clip() override { ++ops; }
    void set_transform(double, double) override { ++ops; }
    void push_layer(double) override { ++ops; }
    void pop_layer() override { ++ops; }
    void fill_rectangle(const RectF&, const Rgb&, double) override { ++ops; }
    void fill_ellipse(const PointF&, double, double, const Rgb&, double) override { ++ops; }
    void draw_text(const TextBox&, const PointF&, const Rgb&, double) override { ++ops; }

    std::int64_t ops = 0;
};

Frame parsed_frame(const std::string& line) {
    LineOutcome outcome = parse_frame_line(line);
    if (auto* parsed = std::get_if<Parsed>(&outcome)) return std::move(parsed->frame);
    if (auto* rejected = std::get_if<Rejected>(&outcome)) {
        std::fprintf(stderr, "frame rejected: %s\n", rejected->text.c_str());
    }
    std::abort();
}

void BM_LayoutAndPaint(benchmark::State& state) {
    const Frame frame = parsed_frame(frame_line());
    FixedTextService text;
    CountingCanvas canvas;
    std::size_t blocks = 0;
    for (auto _ : state) {
        const Layout layout = layout_frame(frame, 1.0, NOW_MS, text);
        blocks = layout.blocks.size();
        Result<void> painted = paint_frame(canvas, text, 0, 0, frame, layout);
        benchmark::DoNotOptimize(painted);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["ops/frame"] = static_cast<double>(canvas.ops) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LayoutAndPaint);

void BM_ParseFrameLine(benchmark::State& state) {
    const std::string line = frame_line();
    for (auto _ : state) {
        LineOutcome outcome = parse_frame_line(line);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_ParseFrameLine);

}  // namespace

BENCHMARK_MAIN();
