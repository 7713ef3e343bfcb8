#pragma once
// The reader thread's body: reads standard input line by line (at most MAX_LINE_BYTES a line), repairs
// invalid UTF-8, parses each line, reports rejections, hands the newest Frame over and signals the end.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "input/byte_source.hpp"
#include "input/frame_slot.hpp"
#include "io/output.hpp"
#include "model/parse_frame.hpp"

namespace tolmin {

inline constexpr std::size_t MAX_LINE_BYTES = 1'048'576;

// Splits a byte stream into lines with the overlay's rules (buffering, the 1 MiB cap, skipping an over-long
// line without storing it, retrying interrupted reads). Shared by the overlay and the frame checker.
class LineReader {
public:
    struct Line {
        enum class Kind { Text, TooLong, End, Failed };
        Kind kind = Kind::End;
        std::string text;   // Text: the line with invalid UTF-8 replaced by U+FFFD (line feed included)
        std::string error;  // Failed: "cannot read stdin: " is not included, only the system text
    };

    explicit LineReader(ByteSource& source);
    // The next line. After End or Failed every call returns End.
    Line next();

private:
    ByteSource& source_;
    // buffered input; see frame_reader.cpp
    std::string buffer_;
    std::size_t begin_ = 0;
    std::string line_;
    bool ended_ = false;
    bool fill();
    ReadResult read_more();
};

class FrameReader {
public:
    FrameReader(ByteSource& source, Output& diagnostics, FrameSlot& slot, FramePoster& poster);
    // Runs until the input ends or fails, then posts INPUT_ENDED.
    void run();

private:
    ByteSource& source_;
    Output& diagnostics_;
    FrameSlot& slot_;
    FramePoster& poster_;
};

}  // namespace tolmin
