#include "input/stdio_source.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "input/frame_reader.hpp"

namespace tolmin {
namespace {

std::FILE* stream_holding(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    return file;
}

TEST(StdioSource, ReadsUpToEachLineFeedThenEnds) {
    std::FILE* file = stream_holding("{}\nsecond line\nlast");
    ASSERT_NE(file, nullptr);
    StdioSource source(file);
    char buffer[64];
    const auto read = [&](std::size_t capacity) {
        const ReadResult r = source.read(buffer, capacity);
        return std::make_pair(r.status,
                              std::string(buffer, r.status == ReadResult::Status::Data ? r.count : 0));
    };
    using S = ReadResult::Status;
    EXPECT_EQ(read(64), std::make_pair(S::Data, std::string("{}\n")));
    EXPECT_EQ(read(4), std::make_pair(S::Data, std::string("seco")));
    EXPECT_EQ(read(64), std::make_pair(S::Data, std::string("nd line\n")));
    EXPECT_EQ(read(64), std::make_pair(S::Data, std::string("last")));
    EXPECT_EQ(read(64), std::make_pair(S::End, std::string()));
    std::fclose(file);
}

TEST(StdioSource, FeedsTheLineReaderByteForByte) {
    std::string bytes = "{\"v\":1}\r\n\n" + std::string(MAX_LINE_BYTES + 1, ' ') + "\n\xFF\n";
    std::FILE* file = stream_holding(bytes);
    ASSERT_NE(file, nullptr);
    StdioSource source(file);
    LineReader reader(source);
    EXPECT_EQ(reader.next().text, "{\"v\":1}\r\n");
    EXPECT_EQ(reader.next().text, "\n");
    EXPECT_EQ(reader.next().kind, LineReader::Line::Kind::TooLong);
    EXPECT_EQ(reader.next().text, "\xEF\xBF\xBD\n");
    EXPECT_EQ(reader.next().kind, LineReader::Line::Kind::End);
    std::fclose(file);
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
