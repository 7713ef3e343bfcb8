// The frame reader's share of reading standard input, each against a reference measured in the same run:
//  - lines: LineReader over an in-memory source of typical frame lines (about 1.7 KB each), against a plain
//    memchr split that copies each line into a string (the least any line reader does);
//  - skip: an 8 MiB line skipped and then one frame line read, against memchr over the same bytes;
//  - stdio: StdioSource under LineReader over a temporary file, in its Lines mode (a read returns at each
//  line
//    feed, as for a pipe) and its Chunks mode (as for a file), against 64 KiB std::fread chunks split by
//    memchr;
//  - reader: FrameReader (read, repair, parse, slot, post) against parse_frame_line of the same lines alone.
// scripts/bench prints the ratio of the processor times (candidate / reference) of each pair from the JSON
// output (bench/ratios.py).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "input/frame_reader.hpp"
#include "input/stdio_source.hpp"
#include "model/parse_frame.hpp"

namespace {

using namespace tolmin;

constexpr int LINES = 256;

std::string typical_line() {
    std::string line =
        R"({"v":1,"anchor":"top-right","offset":24,"scale":1,"hud":{"dot":"#00FF66","state":"LIVE",)"
        R"("state_color":"#FF2E55","elapsed":"01:12:45","presence":"3 watching"},"night":{"tag":)"
        R"("MATCHDAY 12","title":"Evening session at the north stand"},"alerts":[)";
    for (int i = 0; i < 4; ++i) {
        line += i ? "," : "";
        line +=
            R"({"id":"a)" + std::to_string(i) +
            R"(","bar":"#3399FF","title":"Stream bitrate dropped below the target","detail":"2.1 Mbit/s"})";
    }
    line += R"(],"toasts":[)";
    for (int i = 0; i < 3; ++i) {
        line += i ? "," : "";
        line +=
            R"({"id":"t)" + std::to_string(i) +
            R"(","kind":"marker","born":1796544000000,"dies":1796544008000,"tick":"#8B8B96","title":)"
            R"("Goal by number nine after a long run","count":3,"time":"12:04","detail":"Assisted by the )"
            R"(left back, second goal of the evening, a long run down the wing"})";
    }
    line += "]}\n";
    return line;
}

std::string typical_input() {
    std::string input;
    const std::string line = typical_line();
    for (int i = 0; i < LINES; ++i) input += line;
    return input;
}

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    ReadResult read(char* buffer, std::size_t capacity) override {
        ReadResult result;
        const std::size_t n = std::min(capacity, bytes_.size() - at_);
        if (n == 0) return result;
        std::memcpy(buffer, bytes_.data() + at_, n);
        at_ += n;
        result.status = ReadResult::Status::Data;
        result.count = n;
        return result;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

class NullOutput final : public Output {
public:
    void write(std::string_view) override {}
};

class NullPoster final : public FramePoster {
public:
    void frame_pending() override {}
    void input_ended() override {}
};

std::size_t split_with_memchr(std::string_view bytes, std::string& line) {
    std::size_t lines = 0;
    while (!bytes.empty()) {
        const void* feed = std::memchr(bytes.data(), '\n', bytes.size());
        const std::size_t n =
            feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - bytes.data()) + 1 : bytes.size();
        line.assign(bytes.data(), n);
        benchmark::DoNotOptimize(line.data());
        bytes.remove_prefix(n);
        ++lines;
    }
    return lines;
}

void BM_LinesLineReader(benchmark::State& state) {
    const std::string input = typical_input();
    for (auto _ : state) {
        MemorySource source(input);
        LineReader reader(source);
        while (reader.next().kind == LineReader::Line::Kind::Text) {
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_LinesLineReader);

void BM_LinesMemchrSplit(benchmark::State& state) {
    const std::string input = typical_input();
    std::string line;
    for (auto _ : state) benchmark::DoNotOptimize(split_with_memchr(input, line));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_LinesMemchrSplit);

const std::string& over_long_input() {
    static const std::string input = std::string(8 * MAX_LINE_BYTES, 'x') + "\n" + typical_line();
    return input;
}

void BM_SkipLineReader(benchmark::State& state) {
    const std::string& input = over_long_input();
    for (auto _ : state) {
        MemorySource source(input);
        LineReader reader(source);
        benchmark::DoNotOptimize(reader.next());  // TooLong
        benchmark::DoNotOptimize(reader.next());  // the frame line
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_SkipLineReader);

void BM_SkipMemchr(benchmark::State& state) {
    const std::string& input = over_long_input();
    for (auto _ : state) benchmark::DoNotOptimize(std::memchr(input.data(), '\n', input.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_SkipMemchr);

std::FILE* file_of_typical_input() {
    static std::FILE* file = [] {
        std::FILE* f = std::tmpfile();
        const std::string input = typical_input();
        for (int i = 0; i < 8; ++i) std::fwrite(input.data(), 1, input.size(), f);
        std::fflush(f);
        return f;
    }();
    return file;
}

void read_file_with(benchmark::State& state, StdioSource::Mode mode) {
    std::FILE* file = file_of_typical_input();
    for (auto _ : state) {
        std::rewind(file);
        StdioSource source(file, mode);
        LineReader reader(source);
        while (reader.next().kind == LineReader::Line::Kind::Text) {
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 8 * typical_input().size()));
}

void BM_StdioLines(benchmark::State& state) {
    read_file_with(state, StdioSource::Mode::Lines);
}
BENCHMARK(BM_StdioLines);

void BM_StdioChunks(benchmark::State& state) {
    read_file_with(state, StdioSource::Mode::Chunks);
}
BENCHMARK(BM_StdioChunks);

void BM_StdioFreadChunks(benchmark::State& state) {
    std::FILE* file = file_of_typical_input();
    std::vector<char> chunk(64 * 1024);
    std::string line;
    for (auto _ : state) {
        std::rewind(file);
        std::size_t n;
        while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
            benchmark::DoNotOptimize(split_with_memchr(std::string_view(chunk.data(), n), line));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 8 * typical_input().size()));
}
BENCHMARK(BM_StdioFreadChunks);

void BM_ReaderFrameReader(benchmark::State& state) {
    const std::string input = typical_input();
    NullOutput err;
    NullPoster poster;
    FrameSlot slot;
    for (auto _ : state) {
        MemorySource source(input);
        FrameReader(source, err, slot, poster).run();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_ReaderFrameReader);

void BM_ReaderParseOnly(benchmark::State& state) {
    const std::string line = typical_line();
    for (auto _ : state) {
        for (int i = 0; i < LINES; ++i) {
            LineOutcome outcome = parse_frame_line(line);
            benchmark::DoNotOptimize(outcome);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LINES * line.size()));
}
BENCHMARK(BM_ReaderParseOnly);

}  // namespace

BENCHMARK_MAIN();
