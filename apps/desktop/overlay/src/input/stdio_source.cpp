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

// A stream that tells its position can seek: a file, whose bytes are there to be read in large chunks.
bool can_seek(std::FILE* file) {
    const int saved = errno;
    const bool seekable = std::ftell(file) >= 0;
    errno = saved;
    return seekable;
}

// Reads up to `capacity` bytes, stopping after a line feed in Lines mode. The failure code, 0 for none.
std::size_t read_bytes(std::FILE* file, StdioSource::Mode mode, char* buffer, std::size_t capacity,
                       int& code) {
    code = 0;
    std::size_t count = 0;
    errno = 0;
    if (mode == StdioSource::Mode::Chunks) {
        count = std::fread(buffer, 1, capacity, file);
    } else {
        while (count < capacity) {
            const int c = std::getc(file);
            if (c == EOF) break;
            buffer[count++] = static_cast<char>(c);
            if (c == '\n') break;
        }
    }
    if (count < capacity && std::ferror(file)) {
        code = errno != 0 ? errno : EIO;  // a failure must not read as the end
        std::clearerr(file);
    }
    return count;
}

}  // namespace

StdioSource::StdioSource(std::FILE* file, Mode mode)
    : file_(file), mode_(mode == Mode::Automatic ? (can_seek(file) ? Mode::Chunks : Mode::Lines) : mode) {}

ReadResult StdioSource::read(char* buffer, std::size_t capacity) {
    if (pending_error_ != 0) {
        const int code = pending_error_;
        pending_error_ = 0;
        return failure(code);
    }
    int code = 0;
    const std::size_t count = read_bytes(file_, mode_, buffer, capacity, code);
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
