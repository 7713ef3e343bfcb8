#pragma once
// A ByteSource over a C stream (the native frame checker's standard input or FILE). The stream is not owned.

#include <cstdio>

#include "input/byte_source.hpp"

namespace tolmin {

class StdioSource final : public ByteSource {
public:
    explicit StdioSource(std::FILE* file) : file_(file) {}

    // Returns at the first line feed (or when `capacity` bytes are stored), so that a line coming down a pipe
    // is handled as soon as it has arrived rather than when a whole buffer has filled. EINTR gives
    // Interrupted; any other failure Failed with the system's text and " (os error N)".
    ReadResult read(char* buffer, std::size_t capacity) override;

private:
    std::FILE* file_;
    int pending_error_ = 0;  // a failure met after some bytes were returned, reported by the next read
};

}  // namespace tolmin
