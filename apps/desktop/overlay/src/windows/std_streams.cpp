#include "windows/std_streams.hpp"

#include <windows.h>

#include <algorithm>

#include "windows/platform_error.hpp"

namespace tolmin::win {
namespace {

// The largest single ReadFile/WriteFile request; longer requests are split.
constexpr std::size_t MAX_TRANSFER = 1u << 30;

// A standard handle that can be used, or null (no console, closed or never given).
HANDLE standard_handle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

HandleOutput::HandleOutput(Stream stream)
    : handle_(standard_handle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {}

void HandleOutput::write(std::string_view bytes) {
    if (handle_ == nullptr) {
        return;
    }
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), MAX_TRANSFER));
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(handle_), bytes.data(), chunk, &written, nullptr) ||
            written == 0) {
            return;  // a closed pipe or a failing device: the rest is dropped
        }
        bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
    }
}

StdinSource::StdinSource() : handle_(standard_handle(STD_INPUT_HANDLE)) {}

ReadResult StdinSource::read(char* buffer, std::size_t capacity) {
    ReadResult result;
    if (handle_ == nullptr) {
        result.status = ReadResult::Status::End;
        return result;
    }
    const DWORD request = static_cast<DWORD>(std::min(capacity, MAX_TRANSFER));
    DWORD count = 0;
    if (ReadFile(static_cast<HANDLE>(handle_), buffer, request, &count, nullptr)) {
        result.status = count == 0 ? ReadResult::Status::End : ReadResult::Status::Data;
        result.count = count;
        return result;
    }
    const DWORD code = GetLastError();
    switch (code) {
        case ERROR_BROKEN_PIPE:     // the writer closed its end of the pipe
        case ERROR_HANDLE_EOF:      // end of a file
        case ERROR_INVALID_HANDLE:  // no usable standard input at all
            result.status = ReadResult::Status::End;
            break;
        case ERROR_OPERATION_ABORTED:  // the read was cancelled (e.g. CancelSynchronousIo); worth another try
            result.status = ReadResult::Status::Interrupted;
            break;
        default:
            result.status = ReadResult::Status::Failed;
            result.error = os_error_text(code);
            break;
    }
    return result;
}

}  // namespace tolmin::win
