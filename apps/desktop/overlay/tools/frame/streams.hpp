#pragma once
// The process's standard streams and the FILE to read, chosen for the platform: raw handles on Windows (a
// line feed stays one byte, standard input is binary), C streams elsewhere.

#include <filesystem>
#include <memory>

#include "base/output.hpp"
#include "base/result.hpp"
#include "input/byte_source.hpp"

namespace tolmin::frame_tool {

class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    Output& out();
    Output& err();
    ByteSource& in();

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

// FILE opened for reading in binary; the error is the system's text and " (os error N)".
Result<std::unique_ptr<ByteSource>> open_input_file(const std::filesystem::path& path);

}  // namespace tolmin::frame_tool
