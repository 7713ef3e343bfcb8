#include "io/stdio_output.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tolmin {
namespace {

TEST(StdioOutput, WritesEveryByteUnchangedAndFlushes) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    StdioOutput output(file);
    const std::string bytes = std::string("line one\n\r\n\0\xFF", 14);
    output.write(bytes);
    output.write("");
    write_diagnostic(output, "x");
    // Flushed: the bytes are in the file without closing the stream.
    std::rewind(file);
    std::string back(64, '\0');
    back.resize(std::fread(back.data(), 1, back.size(), file));
    EXPECT_EQ(back, bytes + "tolmin-overlay: x\n");
    std::fclose(file);
}

}  // namespace
}  // namespace tolmin
