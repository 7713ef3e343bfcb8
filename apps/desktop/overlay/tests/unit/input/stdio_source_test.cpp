#include "input/stdio_source.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tolmin {
namespace {

// The reads of 64, 4, 64, 64 and 64 bytes from a stream holding four lines (one blank, a read of one byte):
// "|" between reads, "." the end.
std::string reads(StdioSource::Mode mode) {
    std::FILE* file = std::tmpfile();
    std::fputs("{}\nsecond line\n\nlast", file);
    std::rewind(file);
    StdioSource source(file, mode);
    std::string seen;
    for (const std::size_t capacity : {64, 4, 64, 64, 64}) {
        char buffer[64];
        const ReadResult r = source.read(buffer, capacity);
        seen += r.status == ReadResult::Status::Data ? std::string(buffer, r.count) + "|" : ".";
    }
    std::fclose(file);
    return seen;
}

TEST(StdioSource, LinesModeStopsAtEachLineFeedChunksModeFillsTheBuffer) {
    EXPECT_EQ(reads(StdioSource::Mode::Lines), "{}\n|seco|nd line\n|\n|last|");
    EXPECT_EQ(reads(StdioSource::Mode::Chunks), "{}\nsecond line\n\nlast|....");
    EXPECT_EQ(reads(StdioSource::Mode::Automatic), "{}\nsecond line\n\nlast|....");  // a file can seek
}

// A stream whose every read fails, setting errno to *code first unless it is 0.
std::FILE* failing_stream(int* code) {
    cookie_io_functions_t io{};
    io.read = [](void* cookie, char*, std::size_t) -> ssize_t {
        if (*static_cast<int*>(cookie) != 0) errno = *static_cast<int*>(cookie);
        return -1;
    };
    return fopencookie(code, "r", io);
}

TEST(StdioSource, AFailedReadCarriesTheSystemTextAndCodeElseIsAnInputOutputError) {
    for (int code : {EACCES, 0}) {
        std::FILE* file = failing_stream(&code);
        char buffer[16];
        const ReadResult result = StdioSource(file, StdioSource::Mode::Lines).read(buffer, sizeof buffer);
        std::fclose(file);
        const int shown = code != 0 ? code : EIO;  // a failure must never read as the end
        ASSERT_EQ(result.status, ReadResult::Status::Failed);
        EXPECT_EQ(result.error,
                  std::string(std::strerror(shown)) + " (os error " + std::to_string(shown) + ")");
    }
}

}  // namespace
}  // namespace tolmin
