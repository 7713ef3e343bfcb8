#pragma once
// An Output whose writes never wait long for the reader at the other end. A host that redirects standard
// error and never reads it must not stall the thread that reads its frames: writes go into a queue bounded by
// a byte budget, and a thread of the writer's own passes them to the (blocking) sink, whole and in order.
//
// When the budget is used up, a write waits for room only while the writer is moving: a reader that reads
// gets every line, and the frames it sends slow down to its own pace. A sink write that has not returned
// within the stall time means nobody reads; from then on writes are dropped and counted at once, and once
// the writer gets through again the count is written as one line ("tolmin-overlay: N diagnostics dropped
// (...)") where the dropped lines would have been. A single write larger than the budget is queued when
// nothing else is held, so a long diagnostic still reaches a reader; memory is then bounded by that line.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string_view>

#include "base/output.hpp"

namespace tolmin {

struct QueueLimits {
    std::size_t budget = std::size_t{64} * 1024;  // several hundred ordinary diagnostics
    std::chrono::milliseconds stall{250};  // a sink write this long means its reader has stopped reading
};
// How long the program waits at its end for queued output before it exits all the same.
inline constexpr std::chrono::milliseconds EXIT_WAIT{1000};
inline constexpr std::string_view DROPPED_TEXT = " diagnostics dropped (standard error was not being read)";

class QueuedOutput final : public Output {
public:
    explicit QueuedOutput(std::shared_ptr<Output> sink, QueueLimits limits = {});
    // Never waits: the writer goes on with what is queued for as long as the process lives.
    ~QueuedOutput() override;
    QueuedOutput(const QueuedOutput&) = delete;
    QueuedOutput& operator=(const QueuedOutput&) = delete;

    // Queues `bytes` as one unit (one diagnostic line), waiting at most the stall time for room, or drops and
    // counts it.
    void write(std::string_view bytes) override;

    // Waits until everything queued so far (and the count of anything dropped) has reached the sink, or
    // until `deadline`. True when all of it was written.
    bool wait_written(std::chrono::steady_clock::time_point deadline);

private:
    struct State;
    std::shared_ptr<State> state_;  // shared with the writer thread, which may outlive this object
};

}  // namespace tolmin
