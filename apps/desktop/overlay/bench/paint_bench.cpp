// Layout plus paint of a full frame through a canvas that only counts its operations, against the parse of
// the same frame's input line measured in the same run. The goal is a layout and paint of at most 10 us per
// frame; the ratio to the parse says how the window thread's share compares with the reader thread's.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
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
    Result<void> begin_surface(std::int32_t, std::int32_t) override {
        ++ops;
        return {};
    }
    Result<void> present_surface(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        ++ops;
        return {};
    }
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

// Prints as usual and keeps each benchmark's processor time per iteration in nanoseconds (on a busy machine
// the wall time also counts the waits for a core).
class CollectingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const double time = run.GetAdjustedCPUTime() * to_ns(run.time_unit);
            // With repetitions the median stands for the benchmark; otherwise its one run does.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                ns[run.run_name.function_name] = time;
                medians.insert(run.run_name.function_name);
            } else if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.function_name)) {
                ns[run.run_name.function_name] = time;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> ns;

private:
    std::set<std::string> medians;
    static double to_ns(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond:
                return 1e9;
            case benchmark::kMillisecond:
                return 1e6;
            case benchmark::kMicrosecond:
                return 1e3;
            default:
                return 1.0;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto paint = reporter.ns.find("BM_LayoutAndPaint");
    const auto parse = reporter.ns.find("BM_ParseFrameLine");
    if (paint != reporter.ns.end() && parse != reporter.ns.end() && parse->second > 0) {
        std::printf("layout+paint %.2f us, parse %.2f us (cpu), ratio %.2f\n", paint->second / 1e3,
                    parse->second / 1e3, paint->second / parse->second);
    }
    return 0;
}
