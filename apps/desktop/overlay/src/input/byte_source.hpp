#pragma once
// An abstract source of input bytes (Windows: the standard input handle, binary; elsewhere a C stream).

#include <cstddef>
#include <string>

namespace tolmin {

struct ReadResult {
    enum class Status { Data, End, Interrupted, Failed };
    Status status = Status::End;
    std::size_t count = 0;  // bytes stored, for Data
    std::string error;      // for Failed: the system's description + " (os error N)"
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads at most `capacity` bytes into `buffer`. Data always has count > 0; Interrupted asks the caller
    // to retry the read.
    virtual ReadResult read(char* buffer, std::size_t capacity) = 0;
};

}  // namespace tolmin
