#pragma once
// Standard output or error (any descriptor) as an Output: write(2) straight to it, never through stdio, so
// nothing is left in a C stream's buffer for the exit to flush into a pipe that nobody reads.

#include "base/output.hpp"

namespace tolmin::desktop {

class FdOutput final : public Output {
public:
    explicit FdOutput(int fd) : fd_(fd) {}  // not owned
    // Writes everything, resuming after interruptions and short writes; gives up on any other failure.
    void write(std::string_view bytes) override;

private:
    int fd_;
};

}  // namespace tolmin::desktop
