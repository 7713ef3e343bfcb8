#include "input/frame_reader.hpp"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>
#include <variant>

#include "text/unicode.hpp"

namespace tolmin {

LineReader::LineReader(ByteSource& source) : source_(source), buffer_(CHUNK_BYTES, '\0') {}

ReadResult LineReader::fill() {
    for (;;) {
        ReadResult result = source_.read(buffer_.data(), buffer_.size());
        switch (result.status) {
            case ReadResult::Status::Interrupted:
                continue;  // not an error: the same read again
            case ReadResult::Status::Data:
                if (result.count == 0) {
                    // A source that delivers nothing without saying End would make the reader spin.
                    result.status = ReadResult::Status::End;
                    return result;
                }
                begin_ = 0;
                end_ = std::min(result.count, buffer_.size());
                return result;
            case ReadResult::Status::End:
            case ReadResult::Status::Failed:
                return result;
        }
        return result;
    }
}

// Consumes the buffered bytes up to and including the next line feed, reading more while there is none.
// Nothing is stored. The end of input is remembered for the next call; a failed read is dropped, and reading
// goes on with whatever follows.
void LineReader::skip_rest_of_line() {
    skipping_ = false;
    for (;;) {
        if (begin_ == end_) {
            const ReadResult result = fill();
            if (result.status == ReadResult::Status::End) {
                ended_ = true;
                return;
            }
            if (result.status == ReadResult::Status::Failed) {
                return;
            }
        }
        const char* const start = buffer_.data() + begin_;
        const void* const feed = std::memchr(start, '\n', end_ - begin_);
        if (feed != nullptr) {
            begin_ += static_cast<std::size_t>(static_cast<const char*>(feed) - start) + 1;
            return;
        }
        begin_ = end_;
    }
}

LineReader::Line LineReader::next() {
    Line line;
    if (skipping_ && !ended_) {
        skip_rest_of_line();
    }
    if (ended_) {
        return line;  // End
    }
    line_.clear();
    for (;;) {
        if (begin_ == end_) {
            ReadResult result = fill();
            if (result.status == ReadResult::Status::Failed) {
                // Bytes of an unfinished line are dropped with the failure, as at the end of input.
                ended_ = true;
                line.kind = Line::Kind::Failed;
                line.error = std::move(result.error);
                return line;
            }
            if (result.status == ReadResult::Status::End) {
                ended_ = true;
                if (line_.empty()) {
                    return line;  // End
                }
                line.kind = Line::Kind::Text;  // a last line without a line feed
                line.text = repair_utf8(line_);
                return line;
            }
        }
        // Look only as far as the line may still reach.
        const std::size_t room = MAX_LINE_BYTES - line_.size();
        const std::size_t available = std::min(end_ - begin_, room);
        const char* const start = buffer_.data() + begin_;
        const void* const feed = std::memchr(start, '\n', available);
        if (feed != nullptr) {
            const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(feed) - start) + 1;
            begin_ += length;
            line.kind = Line::Kind::Text;
            if (line_.empty()) {
                line.text = repair_utf8(std::string_view(start, length));  // the whole line was buffered
            } else {
                line_.append(start, length);
                line.text = repair_utf8(line_);
            }
            return line;
        }
        line_.append(start, available);
        begin_ += available;
        if (line_.size() == MAX_LINE_BYTES) {
            // MAX_LINE_BYTES bytes and no line feed among them: the rest is skipped at the next call, so the
            // caller can report the line before the reader waits for more input.
            skipping_ = true;
            line.kind = Line::Kind::TooLong;
            return line;
        }
    }
}

FrameReader::FrameReader(ByteSource& source, Output& diagnostics, FrameSlot& slot, FramePoster& poster)
    : source_(source), diagnostics_(diagnostics), slot_(slot), poster_(poster) {}

void FrameReader::run() {
    LineReader lines(source_);
    for (;;) {
        LineReader::Line line = lines.next();
        switch (line.kind) {
            case LineReader::Line::Kind::Text:
                std::visit(
                    [this](auto&& outcome) {
                        using T = std::decay_t<decltype(outcome)>;
                        if constexpr (std::is_same_v<T, Rejected>) {
                            write_diagnostic(diagnostics_, outcome.text);
                        } else if constexpr (std::is_same_v<T, Parsed>) {
                            slot_.put(std::make_unique<Frame>(std::move(outcome.frame)));
                            poster_.frame_pending();  // after the slot's unlock
                        }
                    },
                    parse_frame_line(line.text));
                break;
            case LineReader::Line::Kind::TooLong:
                write_diagnostic(diagnostics_, LINE_TOO_LONG_TEXT);
                break;
            case LineReader::Line::Kind::Failed: {
                std::string text(READ_FAILED_TEXT);
                text += line.error;
                write_diagnostic(diagnostics_, text);
                poster_.input_ended();
                return;
            }
            case LineReader::Line::Kind::End:
                poster_.input_ended();
                return;
        }
    }
}

}  // namespace tolmin
