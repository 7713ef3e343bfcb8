// parse_frame_line against a raw RapidJSON parse of the same bytes, on three lines built here:
//  - typical: a full frame of about 1.7 KB (Hud, Night, 4 alerts, 3 toasts);
//  - unknown_key: about 1 MB, nearly all of it one value under a key the model does not know;
//  - long_texts: about 1 MB of alert and toast texts.
// The reference ("raw") reads with the decoder's reader flags and a handler that does nothing; like the
// decoder it first copies the line, since the reader unescapes in place. A second reference ("plain") reads
// the line where it is, without in-situ unescaping. "copy" copies the decoded Frame and frees it again: the
// allocation and copying that any decoder into this Frame type does on top of reading the JSON. scripts/bench
// reads the JSON output (bench/ratios.py): decode/raw per input (goal: at most 1.30), decode/plain,
// copy/raw, and the decoder's throughput on the typical frame (goal: at least 300 MB/s, 1 MB = 10^6 bytes).

#include <benchmark/benchmark.h>

#include <string>
#include <variant>
#include <vector>

#include "model/json_reader.hpp"
#include "model/parse_frame.hpp"

namespace {

std::string typical_frame() {
    std::string s =
        R"({"v":1,"anchor":"bottom-right","offset":24,"scale":1.25,"monitor":"\\\\.\\DISPLAY1",)"
        R"("hud":{"dot":"#34d399","state":"RECORDING","state_color":"#f8fafc","elapsed":"01:23:45",)"
        R"("presence":"3 watching"},"night":{"tag":"NIGHT","title":"Quiet hours until 07:00"},"alerts":[)";
    for (int i = 0; i < 4; ++i) {
        if (i != 0) s += ",";
        s += R"({"id":"alert-)" + std::to_string(i) +
             R"(","bar":"#f59e0b","title":"Disk space low on C:","title_color":"#fde68a",)"
             R"("detail":"2.1 GB left \u2014 clean up","detail_color":"#cbd5e1"})";
    }
    s += R"(],"toasts":[)";
    const char* const kinds[] = {"marker", "caller", "same"};
    for (int i = 0; i < 3; ++i) {
        if (i != 0) s += ",";
        s +=
            R"({"id":"toast-)" + std::to_string(i) + R"(","kind":")" + kinds[i] +
            R"(","born":1733490000123.5,"dies":1733490006123.5,"tick":"#60a5fa","title":"Marker at 00:12:03",)"
            R"("title_color":"#e2e8f0","count":)" +
            std::to_string(i + 2) +
            R"(,"time":"00:12:03","time_color":"#94a3b8","detail":"F9 jumps back","detail_color":"#94a3b8",)"
            R"("index":")" +
            std::to_string(i + 1) + R"("})";
    }
    return s + "]}";
}

std::string unknown_key_line() {
    std::string s = R"({"v":1,"anchor":"top-left","hud":{"state":"REC","elapsed":"00:00:01"},"debug":[)";
    for (int i = 0; s.size() < 1'000'000; ++i) {
        if (i != 0) s += ",";
        s += R"({"seq":)" + std::to_string(i) +
             R"(,"at":1733490000123.25,"ok":true,"gone":null,"tags":["a","b\n","\u00e9"],)"
             R"("pos":[-12.5,3e-2,[0,1,[2]]],"note":"frame )" +
             std::to_string(i) + R"( of the replay"})";
    }
    return s + "]}";
}

std::string long_texts_line() {
    const std::string sentence =
        "The quick brown fox jumps over the lazy dog \xE2\x80\x94 caf\xC3\xA9 \\\"quoted\\\" 1234567890. ";
    auto text = [&sentence](std::size_t bytes) {
        std::string t;
        while (t.size() < bytes) t += sentence;
        return t;
    };
    std::string s = R"({"v":1,"alerts":[)";
    for (int i = 0; i < 4; ++i) {
        if (i != 0) s += ",";
        s += R"({"id":"a)" + std::to_string(i) + R"(","title":")" + text(60'000) + R"(","detail":")" +
             text(80'000) + R"("})";
    }
    s += R"(],"toasts":[)";
    for (int i = 0; i < 3; ++i) {
        if (i != 0) s += ",";
        s += R"({"id":"t)" + std::to_string(i) + R"(","title":")" + text(60'000) + R"(","detail":")" +
             text(80'000) + R"(","index":")" + std::to_string(i) + R"("})";
    }
    return s + "]}";
}

struct NoHandler : rapidjson::BaseReaderHandler<rapidjson::UTF8<>, NoHandler> {
    bool Default() { return true; }
};

void decode(benchmark::State& state, const std::string* line) {
    for (auto _ : state) {
        tolmin::LineOutcome outcome = tolmin::parse_frame_line(*line);
        if (!std::holds_alternative<tolmin::Parsed>(outcome)) state.SkipWithError("the line did not parse");
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line->size()));
}

void raw(benchmark::State& state, const std::string* line) {
    for (auto _ : state) {
        std::string copy(*line);
        rapidjson::InsituStringStream stream(copy.data());
        rapidjson::Reader reader;
        NoHandler handler;
        const rapidjson::ParseResult result = reader.Parse<tolmin::JSON_READER_FLAGS>(stream, handler);
        if (result.IsError()) state.SkipWithError("the line is not JSON");
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line->size()));
}

void plain(benchmark::State& state, const std::string* line) {
    constexpr unsigned flags =
        tolmin::JSON_READER_FLAGS & ~static_cast<unsigned>(rapidjson::kParseInsituFlag);
    for (auto _ : state) {
        rapidjson::StringStream stream(line->c_str());
        rapidjson::Reader reader;
        NoHandler handler;
        const rapidjson::ParseResult result = reader.Parse<flags>(stream, handler);
        if (result.IsError()) state.SkipWithError("the line is not JSON");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line->size()));
}

void copy(benchmark::State& state, const std::string* line) {
    const tolmin::LineOutcome outcome = tolmin::parse_frame_line(*line);
    const tolmin::Parsed* parsed = std::get_if<tolmin::Parsed>(&outcome);
    if (parsed == nullptr) {
        state.SkipWithError("the line did not parse");
        return;
    }
    for (auto _ : state) {
        tolmin::Frame frame = parsed->frame;
        benchmark::DoNotOptimize(frame);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line->size()));
}

}  // namespace

constexpr int REPETITIONS = 10;

int main(int argc, char** argv) {
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"typical", typical_frame()}, {"unknown_key", unknown_key_line()}, {"long_texts", long_texts_line()}};
    benchmark::Initialize(&argc, argv);
    for (const auto& [name, line] : inputs) {
        for (const auto& [kind, function] :
             {std::pair{"decode", &decode}, {"raw", &raw}, {"plain", &plain}, {"copy", &copy}}) {
            benchmark::RegisterBenchmark((std::string(kind) + "/" + name).c_str(), function, &line)
                ->Repetitions(REPETITIONS)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
