#include "linux/fd_source.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/platform_error_text.hpp"

namespace tolmin::desktop {

ReadResult FdSource::read(char* buffer, std::size_t capacity) {
    ReadResult result;
    const ssize_t count = ::read(fd_, buffer, capacity);
    if (count > 0) {
        result.status = ReadResult::Status::Data;
        result.count = static_cast<std::size_t>(count);
    } else if (count == 0) {
        result.status = ReadResult::Status::End;
    } else if (errno == EINTR) {
        result.status = ReadResult::Status::Interrupted;
    } else {
        const int code = errno;
        result.status = ReadResult::Status::Failed;
        result.error = os_error_text(std::strerror(code), static_cast<std::uint32_t>(code));
    }
    return result;
}

}  // namespace tolmin::desktop
