#include "input/stdio_source.hpp"

#include <cerrno>
#include <cstring>
#include <string>

namespace tolmin {
namespace {

ReadResult failure(int code) {
    ReadResult result;
    if (code == EINTR) {
        result.status = ReadResult::Status::Interrupted;
        return result;
    }
    result.status = ReadResult::Status::Failed;
    result.error = std::strerror(code);
    result.error += " (os error ";
    result.error += std::to_string(code);
    result.error += ')';
    return result;
}

}  // namespace

ReadResult StdioSource::read(char* buffer, std::size_t capacity) {
    if (pending_error_ != 0) {
        const int code = pending_error_;
        pending_error_ = 0;
        return failure(code);
    }
    std::size_t count = 0;
    int code = 0;
    while (count < capacity) {
        errno = 0;
        const int c = std::getc(file_);
        if (c == EOF) {
            if (std::ferror(file_)) {
                code = errno != 0 ? errno : EIO;  // a failure must not read as the end
                std::clearerr(file_);
            }
            break;
        }
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    if (count > 0) {
        pending_error_ = code;
        ReadResult result;
        result.status = ReadResult::Status::Data;
        result.count = count;
        return result;
    }
    if (code != 0) {
        return failure(code);
    }
    return ReadResult{};  // End
}

}  // namespace tolmin
