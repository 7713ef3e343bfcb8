// LineReader against a plain model of the line rules, over a script of reads decoded from the fuzzer's bytes:
//   0x00 n  a read of the next n bytes
//   0x01 n  a read of MAX_LINE_BYTES - 128 + n bytes 'x' (around the cap, where the rules change; 8 at most)
//   0x02    an interrupted read
//   0x03    a failed read
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
#include <string_view>
#include <vector>

#include "input/frame_reader.hpp"
#include "text/unicode.hpp"

namespace {

using namespace tolmin;
using Kind = LineReader::Line::Kind;

struct Step {
    ReadResult::Status status;
    std::string_view bytes;  // into the fuzzer's input or into a long run of 'x'
};

// The bytes of every long read: no allocation of a megabyte per read and run.
std::string_view run_of_x(std::size_t length) {
    static const std::string x(MAX_LINE_BYTES + 128, 'x');
    return std::string_view(x).substr(0, length);
}

class Script final : public ByteSource {
public:
    explicit Script(std::deque<Step> steps) : steps_(std::move(steps)) {}
    ReadResult read(char* buffer, std::size_t capacity) override {
        ReadResult result;
        if (steps_.empty()) return result;
        Step& step = steps_.front();
        result.status = step.status;
        if (step.status == ReadResult::Status::Data) {
            const std::size_t n = std::min(capacity, step.bytes.size() - at_);
            std::memcpy(buffer, step.bytes.data() + at_, n);
            result.count = n;
            at_ += n;
            if (at_ == step.bytes.size()) {
                steps_.pop_front();
                at_ = 0;
            }
            return result;
        }
        result.error = "failed";
        steps_.pop_front();
        return result;
    }

private:
    std::deque<Step> steps_;
    std::size_t at_ = 0;  // bytes of the front step already handed out
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
        std::string_view rest = step.bytes;  // a copy: the step stays as it is
        while (!rest.empty()) {
            const std::size_t feed = rest.find('\n');
            if (skipping) {
                skipping = feed == std::string_view::npos;
                rest.remove_prefix(skipping ? rest.size() : feed + 1);
                continue;
            }
            // A line ends at its line feed, unless it holds MAX_LINE_BYTES bytes before it.
            const std::size_t room = MAX_LINE_BYTES - line.size();
            if (feed != std::string_view::npos && feed < room) {
                line.append(rest.substr(0, feed + 1));
                rest.remove_prefix(feed + 1);
                out.push_back({Kind::Text, repair_utf8(line)});
                line.clear();
                continue;
            }
            const std::size_t taken = std::min(room, rest.size());
            line.append(rest.substr(0, taken));
            rest.remove_prefix(taken);
            if (line.size() == MAX_LINE_BYTES) {
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
    int big_reads = 0;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t op = data[i++];
        if (op == 0x00 && i < size) {
            const std::size_t wanted = data[i++];
            const std::size_t n = std::min(wanted, size - i);
            if (n > 0) {  // a read that stores nothing is the end, not data
                const auto* bytes = reinterpret_cast<const char*>(data + i);
                steps.push_back({ReadResult::Status::Data, std::string_view(bytes, n)});
            }
            i += n;
        } else if (op == 0x01 && i < size && big_reads < 8) {  // a few suffice, and keep each run quick
            ++big_reads;
            const std::size_t n = MAX_LINE_BYTES - 128 + data[i++];
            steps.push_back({ReadResult::Status::Data, run_of_x(n)});
        } else if (op == 0x02) {
            steps.push_back({ReadResult::Status::Interrupted, {}});
        } else if (op == 0x03) {
            steps.push_back({ReadResult::Status::Failed, {}});
        } else {
            steps.push_back(
                {ReadResult::Status::Data, std::string_view(reinterpret_cast<const char*>(data + i - 1), 1)});
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
