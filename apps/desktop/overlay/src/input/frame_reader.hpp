#pragma once
// The reader thread's body: reads standard input line by line (at most MAX_LINE_BYTES a line), repairs
// invalid UTF-8, parses each line, reports rejections, hands the newest Frame over and signals the end.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/output.hpp"
#include "input/byte_source.hpp"
#include "input/frame_slot.hpp"
#include "model/parse_frame.hpp"

namespace tolmin {

inline constexpr std::size_t MAX_LINE_BYTES = 1'048'576;

// What the overlay reports (after its prefix) for an over-long line and for a failed read.
inline constexpr std::string_view LINE_TOO_LONG_TEXT = "a line over 1 MiB is not a frame; discarded";
inline constexpr std::string_view READ_FAILED_TEXT = "cannot read stdin: ";

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
    // Bytes asked of the source in one read; a read may return fewer, and a line may span many reads.
    static constexpr std::size_t CHUNK_BYTES = std::size_t{64} * 1024;

    ByteSource& source_;
    std::string buffer_;  // buffered input: [begin_, end_) is not consumed yet
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::string line_;       // the bytes of a line that spans reads, reused from line to line
    bool skipping_ = false;  // the rest of an over-long line is still to be skipped
    bool ended_ = false;

    // Refills the buffer when it is empty, retrying interrupted reads. Data, End or Failed.
    ReadResult fill();
    void skip_rest_of_line();
};

class FrameReader {
public:
    FrameReader(ByteSource& source, Output& diagnostics, FrameSlot& slot, FramePoster& poster);
    // Runs until the input ends or fails, then says so to the poster.
    void run();

private:
    ByteSource& source_;
    Output& diagnostics_;
    FrameSlot& slot_;
    FramePoster& poster_;
};

}  // namespace tolmin
