#include "input/stdio_source.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

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

TEST(StdioSource, AFailedReadCarriesTheSystemTextAndCode) {
    // Reading a stream opened only for writing fails (EBADF on glibc; the text and code are the system's).
    const auto path = std::filesystem::temp_directory_path() /
                      ("tolmin-stdio-source-" + std::to_string(std::random_device{}()));
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    StdioSource source(file);
    char buffer[16];
    errno = 0;
    const ReadResult result = source.read(buffer, sizeof buffer);
    const int code = errno;
    std::fclose(file);
    std::filesystem::remove(path);
    ASSERT_EQ(result.status, ReadResult::Status::Failed);
    EXPECT_EQ(result.error, std::string(std::strerror(code)) + " (os error " + std::to_string(code) + ")");
}

}  // namespace
}  // namespace tolmin
