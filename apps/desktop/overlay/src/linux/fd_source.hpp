#pragma once
// Standard input (or any descriptor) as a ByteSource: read(2) returns what has arrived, so a line down a pipe
// is handled as soon as it is all there.

#include "input/byte_source.hpp"

namespace tolmin::desktop {

class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd) : fd_(fd) {}  // not owned
    // EINTR gives Interrupted; any other failure Failed with the system's text and " (os error N)".
    ReadResult read(char* buffer, std::size_t capacity) override;

private:
    int fd_;
};

}  // namespace tolmin::desktop
