#pragma once
// A ByteSource over a C stream (the native frame checker's standard input or FILE). The stream is not owned.

#include <cstdio>

#include "input/byte_source.hpp"

namespace tolmin {

class StdioSource final : public ByteSource {
public:
    enum class Mode {
        // Chunks for a stream that can seek (a file: its bytes are all there), Lines otherwise (a pipe or a
        // terminal, where a line may be all there is for a while).
        Automatic,
        // Fills as much of the buffer as the stream gives (std::fread): fastest, but on a pipe it waits until
        // the whole buffer is filled or the input ends.
        Chunks,
        // Returns at the first line feed, so that a line down a pipe is handled as soon as it has arrived.
        Lines,
    };

    explicit StdioSource(std::FILE* file, Mode mode = Mode::Automatic);

    // EINTR gives Interrupted; any other failure Failed with the system's text and " (os error N)".
    ReadResult read(char* buffer, std::size_t capacity) override;

private:
    std::FILE* file_;
    Mode mode_;
    int pending_error_ = 0;  // a failure met after some bytes were returned, reported by the next read
};

}  // namespace tolmin
