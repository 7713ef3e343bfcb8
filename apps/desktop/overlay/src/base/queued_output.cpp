#include "base/queued_output.hpp"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace tolmin {
namespace {

// The most bytes of whole lines joined into one write. A pipe write of at most PIPE_BUF (4096 on Linux)
// bytes is all or nothing, so a writer stopped at a full pipe never leaves part of a line behind; a single
// longer line is written on its own.
constexpr std::size_t MAX_JOINED_BYTES = 4096;

std::string dropped_notice(std::uint64_t count) {
    std::string line(DIAGNOSTIC_PREFIX);
    line += std::to_string(count);
    line += DROPPED_TEXT;
    line.push_back('\n');
    return line;
}

}  // namespace

using Clock = std::chrono::steady_clock;

struct QueuedOutput::State {
    std::shared_ptr<Output> sink;
    QueueLimits limits;
    std::mutex mutex;
    std::condition_variable work;      // to the writer: something to write, or the owner is gone
    std::condition_variable progress;  // from the writer: a sink write returned
    std::deque<std::string> queue;
    std::size_t held = 0;       // bytes queued or being written
    std::uint64_t dropped = 0;  // writes dropped since the last one queued
    Clock::time_point moved;    // when the writer last finished a sink write, or last got work when idle
    bool closed = false;        // the owner is gone: write what is left, then end
    bool direct = false;        // no writer thread could be started: each write goes to the sink at once

    bool fits(std::size_t bytes) const { return held == 0 || held + bytes <= limits.budget; }

    // Waits for room for `bytes` while the writer keeps moving; the caller holds the lock. Once a sink write
    // has lasted the stall time, nothing waits until it returns.
    bool wait_for_room(std::unique_lock<std::mutex>& lock, std::size_t bytes) {
        while (!fits(bytes)) {
            const Clock::time_point stuck_at = moved + limits.stall;
            if (Clock::now() >= stuck_at) break;
            progress.wait_until(lock, stuck_at);
        }
        return fits(bytes);
    }

    // Whole queued lines for one write of the sink; the caller holds the mutex.
    std::string take_batch() {
        std::string batch = std::move(queue.front());
        queue.pop_front();
        while (!queue.empty() && batch.size() + queue.front().size() <= MAX_JOINED_BYTES) {
            batch += queue.front();
            queue.pop_front();
        }
        return batch;
    }

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            work.wait(lock, [this] { return !queue.empty() || dropped > 0 || closed; });
            if (queue.empty() && dropped > 0) {
                // Through again after writes were dropped, with nothing newer queued: say how many.
                queue.push_back(dropped_notice(dropped));
                held += queue.back().size();
                dropped = 0;
            }
            if (queue.empty()) return;  // closed, and everything written
            const std::string batch = take_batch();
            lock.unlock();
            sink->write(batch);  // may block for as long as nobody reads
            lock.lock();
            moved = Clock::now();
            held -= batch.size();
            progress.notify_all();
        }
    }
};

QueuedOutput::QueuedOutput(std::shared_ptr<Output> sink, QueueLimits limits)
    : state_(std::make_shared<State>()) {
    state_->sink = std::move(sink);
    state_->limits = limits;
    try {
        // Detached: a write that never returns must not keep the process from ending.
        std::thread([state = state_] { state->run(); }).detach();
    } catch (const std::system_error&) {
        state_->direct = true;
    }
}

QueuedOutput::~QueuedOutput() {
    {
        std::lock_guard lock(state_->mutex);
        state_->closed = true;
    }
    state_->work.notify_one();
}

void QueuedOutput::write(std::string_view bytes) {
    State& s = *state_;
    if (bytes.empty()) return;
    if (s.direct) {
        s.sink->write(bytes);
        return;
    }
    {
        std::unique_lock lock(s.mutex);
        std::string notice = s.dropped > 0 ? dropped_notice(s.dropped) : std::string();
        const std::size_t need = notice.size() + bytes.size();
        if (!s.wait_for_room(lock, need)) {
            ++s.dropped;
            return;
        }
        if (s.held == 0) s.moved = Clock::now();  // the writer has had work only from now on
        if (!notice.empty()) {
            s.queue.push_back(std::move(notice));  // the dropped writes came before this one
            s.dropped = 0;
        }
        s.queue.emplace_back(bytes);
        s.held += need;
    }
    s.work.notify_one();
}

bool QueuedOutput::wait_written(std::chrono::steady_clock::time_point deadline) {
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    return s.progress.wait_until(lock, deadline, [&s] { return s.held == 0 && s.dropped == 0; });
}

}  // namespace tolmin
