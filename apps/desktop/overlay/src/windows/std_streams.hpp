#pragma once
// The standard streams of the Windows program as raw handles: bytes go out unchanged (a line feed stays the
// one byte 0x0A) and standard input is read in binary.

#include "base/output.hpp"
#include "input/byte_source.hpp"

namespace tolmin::win {

// Writes to the handle of standard output or standard error (STD_OUTPUT_HANDLE / STD_ERROR_HANDLE).
class HandleOutput final : public Output {
public:
    enum class Stream { Out, Err };
    explicit HandleOutput(Stream stream);
    void write(std::string_view bytes) override;

private:
    void* handle_;
};

// Reads the standard input handle with ReadFile; a broken pipe is the end of input.
class StdinSource final : public ByteSource {
public:
    StdinSource();
    ReadResult read(char* buffer, std::size_t capacity) override;

private:
    void* handle_;
};

}  // namespace tolmin::win
