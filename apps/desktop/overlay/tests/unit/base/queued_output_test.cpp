#include "base/queued_output.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <semaphore>
#include <thread>
#include <vector>

namespace tolmin {
namespace {

using namespace std::chrono_literals;

const auto line = [](char name, std::size_t size) { return std::string(size - 1, name) + "\n"; };
const std::string DROPPED = " diagnostics dropped (standard error was not being read)\n";

// Like a pipe whose reader reads only when told: each write waits for a pass. `writes` is looked at only
// after wait_written, which orders it after the writes.
struct GatedSink final : Output {
    std::counting_semaphore<> passes{0}, started{0};
    std::vector<std::string> writes;
    void write(std::string_view bytes) override {
        started.release();
        passes.acquire();
        writes.emplace_back(bytes);
    }
};

struct Queue {
    std::shared_ptr<GatedSink> sink = std::make_shared<GatedSink>();
    QueuedOutput out;
    explicit Queue(QueueLimits limits) : out(sink, limits) {}
    std::string written() {
        sink->passes.release(1 << 20);
        EXPECT_TRUE(out.wait_written(std::chrono::steady_clock::now() + 10s));
        return std::accumulate(sink->writes.begin(), sink->writes.end(), std::string());
    }
};

TEST(QueuedOutput, AReaderThatReadsSlowlyGetsEveryLineEvenAfterTheQueueWasIdleForLong) {
    Queue q({100, 200ms});  // room for one line at a time
    std::this_thread::sleep_for(250ms);
    std::thread reader([&q] {
        for (int i = 0; i < 10; ++i) std::this_thread::sleep_for(5ms), q.sink->passes.release();
    });
    std::string expected;
    for (char name = 'a'; name < 'k'; ++name) q.out.write(line(name, 60)), expected += line(name, 60);
    reader.join();
    EXPECT_EQ(q.written(), expected);
}

TEST(QueuedOutput, TheWriterThreadEndsWithItsOwnerAndLetsGoOfTheSink) {
    auto sink = std::make_shared<GatedSink>();
    sink->passes.release(1 << 20);
    std::make_unique<QueuedOutput>(sink, QueueLimits{100, 200ms})->write("last\n");
    for (int i = 0; i < 1000 && sink.use_count() > 1; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(sink.use_count(), 1);
    std::atomic_thread_fence(std::memory_order_acquire);  // the thread's writes before it let go
    EXPECT_EQ(sink->writes, std::vector<std::string>{"last\n"});
}

TEST(QueuedOutput, AStuckReaderCostsOneStallThenLinesAreDroppedAndCountedAndTheWaitEndsAtItsDeadline) {
    Queue q({400, 50ms});
    std::string expected;
    for (int i = 0; i < 100; ++i) q.out.write(line('0' + i % 10, 40));
    for (int i = 0; i < 10; ++i) expected += line('0' + i, 40);  // the budget's worth
    // The wait at the program's end gives up at its deadline.
    EXPECT_FALSE(q.out.wait_written(std::chrono::steady_clock::now() + 30ms));
    EXPECT_EQ(q.written(), expected + "tolmin-overlay: 90" + DROPPED);
}

TEST(QueuedOutput, TheCountStandsWhereTheLinesWereDroppedAndEachWriteJoinsWholeLinesUpTo4096Bytes) {
    Queue q({3 * 4022, 50ms});
    for (char name : {'A', 'B', 'C', 'D'}) q.out.write(line(name, 4022));  // A is being written; D is dropped
    q.sink->passes.release();
    q.sink->started.acquire(), q.sink->started.acquire();  // A went through, B is being written
    q.out.write("\n");
    q.written();
    EXPECT_EQ(q.sink->writes,
              (std::vector<std::string>{line('A', 4022), line('B', 4022),
                                        line('C', 4022) + "tolmin-overlay: 1" + DROPPED, "\n"}));
}

TEST(QueuedOutput, ALineOverTheBudgetIsWrittenWhenAloneAndNothingWaitsBehindIt) {
    Queue q({100, 50ms});
    q.out.write(line('L', 1000)), q.out.write(line('s', 10));
    EXPECT_EQ(q.written(), line('L', 1000) + "tolmin-overlay: 1" + DROPPED);
}

}  // namespace
}  // namespace tolmin
