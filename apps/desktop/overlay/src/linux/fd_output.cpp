#include "linux/fd_output.hpp"

#include <unistd.h>

#include <cerrno>

namespace tolmin::desktop {

void FdOutput::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

}  // namespace tolmin::desktop
