// LineReader against a plain model of the line rules, over a script of reads decoded from the fuzzer's bytes:
//   0x00 n  a read of the next n bytes            0x01 n  a read of n x 16 KiB bytes 'x' (reaches the cap)
//   0x02    an interrupted read                   0x03    a failed read
//   other   a read of that one byte
// The model sees the same bytes and failures and yields what the reader must: each line up to its line feed
// (repaired), TooLong at MAX_LINE_BYTES bytes without a line feed and the rest of that line skipped, a failed
// read ending the input (dropped silently while skipping), a last line without a line feed, then End.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "input/frame_reader.hpp"
#include "text/unicode.hpp"

namespace {

using namespace tolmin;
using Kind = LineReader::Line::Kind;

struct Step {
    ReadResult::Status status;
    std::string bytes;
};

class Script final : public ByteSource {
public:
    explicit Script(std::deque<Step> steps) : steps_(std::move(steps)) {}
    ReadResult read(char* buffer, std::size_t capacity) override {
        ReadResult result;
        if (steps_.empty()) return result;
        Step& step = steps_.front();
        result.status = step.status;
        if (step.status == ReadResult::Status::Data) {
            const std::size_t n = std::min(capacity, step.bytes.size());
            std::memcpy(buffer, step.bytes.data(), n);
            result.count = n;
            step.bytes.erase(0, n);
            if (step.bytes.empty()) steps_.pop_front();
            return result;
        }
        result.error = "failed";
        steps_.pop_front();
        return result;
    }

private:
    std::deque<Step> steps_;
};

struct Seen {
    Kind kind;
    std::string text;
    bool operator==(const Seen& other) const { return kind == other.kind && text == other.text; }
};

std::vector<Seen> model(const std::deque<Step>& steps) {
    std::vector<Seen> out;
    std::string line;
    bool skipping = false;
    for (const Step& step : steps) {
        if (step.status == ReadResult::Status::Failed) {
            if (skipping) {
                skipping = false;
                line.clear();
                continue;
            }
            out.push_back({Kind::Failed, "failed"});
            out.push_back({Kind::End, ""});
            return out;
        }
        for (const char c : step.bytes) {
            if (skipping) {
                skipping = c != '\n';
                continue;
            }
            line += c;
            if (c == '\n') {
                out.push_back({Kind::Text, repair_utf8(line)});
                line.clear();
            } else if (line.size() == MAX_LINE_BYTES) {
                out.push_back({Kind::TooLong, ""});
                line.clear();
                skipping = true;
            }
        }
    }
    if (!skipping && !line.empty()) out.push_back({Kind::Text, repair_utf8(line)});
    out.push_back({Kind::End, ""});
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::deque<Step> steps;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t op = data[i++];
        if (op == 0x00 && i < size) {
            const std::size_t n = std::min<std::size_t>(data[i++], size - i);
            if (n > 0) {  // a read that stores nothing is the end, not data
                const auto* bytes = reinterpret_cast<const char*>(data + i);
                steps.push_back({ReadResult::Status::Data, std::string(bytes, n)});
            }
            i += n;
        } else if (op == 0x01 && i < size) {
            const std::size_t n = std::size_t{data[i++]} * 16384;
            if (n > 0) steps.push_back({ReadResult::Status::Data, std::string(n, 'x')});
        } else if (op == 0x02) {
            steps.push_back({ReadResult::Status::Interrupted, {}});
        } else if (op == 0x03) {
            steps.push_back({ReadResult::Status::Failed, {}});
        } else {
            steps.push_back({ReadResult::Status::Data, std::string(1, static_cast<char>(op))});
        }
    }
    std::deque<Step> without_interruptions;
    for (const Step& step : steps) {
        if (step.status != ReadResult::Status::Interrupted) without_interruptions.push_back(step);
    }
    const std::vector<Seen> expected = model(without_interruptions);

    Script source(std::move(steps));
    LineReader reader(source);
    for (const Seen& want : expected) {
        LineReader::Line line = reader.next();
        const Seen got{line.kind, line.kind == Kind::Failed ? line.error : line.text};
        if (!(got == want)) std::abort();
    }
    if (reader.next().kind != Kind::End) std::abort();  // End stays End
    return 0;
}
