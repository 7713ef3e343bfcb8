#include "input/stdio_source.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>


namespace tolmin {
namespace {

std::FILE* stream_holding(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
}

TEST(StdioSource, LinesModeStopsAtEachLineFeedChunksModeFillsTheBuffer) {
    using S = ReadResult::Status;
    using Reads = std::vector<std::pair<S, std::string>>;
    struct Case {
        StdioSource::Mode mode;
        Reads expected;  // reads of 64, 4, 64, 64 and 64 bytes
    };
    const Case cases[] = {
        {StdioSource::Mode::Lines,
         {{S::Data, "{}\n"}, {S::Data, "seco"}, {S::Data, "nd line\n"}, {S::Data, "last"}, {S::End, ""}}},
        {StdioSource::Mode::Chunks,
         {{S::Data, "{}\nsecond line\nlast"}, {S::End, ""}, {S::End, ""}, {S::End, ""}, {S::End, ""}}},
        // A file can seek: its bytes are read in chunks.
        {StdioSource::Mode::Automatic,
         {{S::Data, "{}\nsecond line\nlast"}, {S::End, ""}, {S::End, ""}, {S::End, ""}, {S::End, ""}}},
    };
    for (const Case& c : cases) {
        std::FILE* file = stream_holding("{}\nsecond line\nlast");
        ASSERT_NE(file, nullptr);
        StdioSource source(file, c.mode);
        Reads reads;
        for (std::size_t capacity : {64, 4, 64, 64, 64}) {
            char buffer[64];
            const ReadResult r = source.read(buffer, capacity);
            reads.emplace_back(r.status, std::string(buffer, r.status == S::Data ? r.count : 0));
        }
        std::fclose(file);
        EXPECT_EQ(reads, c.expected) << static_cast<int>(c.mode);
    }
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
    ASSERT_NE(code, 0);
    EXPECT_EQ(result.error, std::string(std::strerror(code)) + " (os error " + std::to_string(code) + ")");
}

}  // namespace
}  // namespace tolmin
