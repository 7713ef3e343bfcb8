#pragma once
// An Output over a C stream (the native tool's standard output and error, files in tests).

#include <cstdio>

#include "base/output.hpp"

namespace tolmin {

class StdioOutput final : public Output {
public:
    // The stream is borrowed, not closed. On Windows hosts it should be in binary mode.
    explicit StdioOutput(std::FILE* stream) : stream_(stream) {}
    // Writes and flushes, so each write reaches the stream's reader at once.
    void write(std::string_view bytes) override;

private:
    std::FILE* stream_;
};

}  // namespace tolmin
