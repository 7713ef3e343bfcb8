#include "base/queued_output.hpp"

#include <gtest/gtest.h>

#include <condition_variable>
#include <limits>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tolmin {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string notice(int count) {
    return "tolmin-overlay: " + std::to_string(count) +
           " diagnostics dropped (standard error was not being read)\n";
}

std::string line(char name, std::size_t size) {
    return std::string(size - 1, name) + "\n";
}

// Like a pipe whose reader reads only when told: each write waits until it is let through.
class GatedSink final : public Output {
public:
    void write(std::string_view bytes) override {
        std::unique_lock lock(mutex_);
        ++started_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return passes_ > 0; });
        --passes_;
        writes_.emplace_back(bytes);
    }
    void pass(std::size_t count = std::numeric_limits<std::size_t>::max() / 2) {
        std::lock_guard lock(mutex_);
        passes_ += count;
        changed_.notify_all();
    }
    void wait_started(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_ >= count; });
    }
    std::vector<std::string> writes() {
        std::lock_guard lock(mutex_);
        return writes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t passes_ = 0, started_ = 0;
    std::vector<std::string> writes_;
};

struct Queue {
    std::shared_ptr<GatedSink> sink = std::make_shared<GatedSink>();
    QueuedOutput out;
    explicit Queue(QueueLimits limits) : out(sink, limits) {}
    std::string written() {
        sink->pass();
        EXPECT_TRUE(out.wait_written(Clock::now() + 10s));
        std::string joined;
        for (const auto& w : sink->writes()) joined += w;
        return joined;
    }
};

TEST(QueuedOutput, AReaderThatKeepsReadingGetsEveryLineWholeAndInOrderFromEachThread) {
    Queue q({400, 10s});  // a small budget: the writers outrun the sink and wait for room
    q.sink->pass();
    const auto writer = [&q](char name) {
        for (int i = 0; i < 3000; ++i) q.out.write(std::string(1, name) + std::to_string(i) + "\n");
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join(), b.join();
    std::vector<int> next(2, 0);
    std::istringstream written(q.written());
    for (std::string l; std::getline(written, l);)
        ASSERT_EQ(l.substr(1), std::to_string(next.at(l[0] - 'a')++));
    EXPECT_EQ(next, (std::vector<int>{3000, 3000}));
}

TEST(QueuedOutput, AReaderThatReadsSlowlyGetsEveryLineEvenAfterTheQueueWasIdleForLong) {
    Queue q({100, 200ms});  // room for one line at a time
    std::this_thread::sleep_for(250ms);
    std::thread reader([&q] {
        for (int i = 0; i < 10; ++i, std::this_thread::sleep_for(5ms)) q.sink->pass(1);
    });
    std::string expected;
    for (char name = 'a'; name < 'k'; ++name) q.out.write(line(name, 60)), expected += line(name, 60);
    reader.join();
    EXPECT_EQ(q.written(), expected);
}

TEST(QueuedOutput, AStuckReaderCostsOneStallThenLinesAreDroppedAndCountedAfterThoseThatFit) {
    Queue q({400, 50ms});
    std::string expected;
    for (int i = 0; i < 100; ++i) q.out.write(line(static_cast<char>('0' + i % 10), 40));
    for (int i = 0; i < 10; ++i) expected += line(static_cast<char>('0' + i), 40);  // the budget's worth
    EXPECT_EQ(q.written(), expected + notice(90));
}

TEST(QueuedOutput, TheCountStandsWhereTheLinesWereDropped) {
    Queue q({6400, 50ms});
    for (char name : {'A', 'B', 'C', 'D'}) q.out.write(line(name, 2100));  // A is being written; D is dropped
    q.sink->pass(1);
    q.sink->wait_started(2);  // A went through, B is being written: room for E and the count
    q.out.write(line('E', 2100));
    EXPECT_EQ(q.written(), line('A', 2100) + line('B', 2100) + line('C', 2100) + notice(1) + line('E', 2100));
}

TEST(QueuedOutput, ALineOverTheBudgetIsWrittenWhenAloneAndNothingWaitsBehindIt) {
    Queue q({100, 50ms});
    q.out.write(line('L', 1000));
    q.out.write(line('s', 10));
    EXPECT_EQ(q.written(), line('L', 1000) + notice(1));
}

TEST(QueuedOutput, EachSinkWriteJoinsWholeLinesUpTo4096BytesOrIsOneLongerLine) {
    Queue q({QueueLimits{}.budget, 10s});
    q.out.write(line('a', 1024));
    q.sink->wait_started(1);
    for (char name : {'b', 'c', 'd', 'e', 'f', 'g'})
        q.out.write(line(name, name < 'f' ? 1024 : name == 'f' ? 1 : 5000));
    q.written();
    const std::string joined = line('b', 1024) + line('c', 1024) + line('d', 1024) + line('e', 1024);
    EXPECT_EQ(q.sink->writes(), (std::vector<std::string>{line('a', 1024), joined, "\n", line('g', 5000)}));
}

TEST(QueuedOutput, WaitingForTheWriterEndsAtTheDeadlineWhileTheReaderIsStuck) {
    Queue q({});
    q.out.write("x\n");
    const auto deadline = Clock::now() + 30ms;
    EXPECT_FALSE(q.out.wait_written(deadline));
    EXPECT_GE(Clock::now(), deadline);
    EXPECT_EQ(q.written(), "x\n");
}

TEST(QueuedOutput, WhatIsQueuedIsWrittenAfterTheOwnerIsGoneAndThenTheWriterLetsTheSinkGo) {
    auto sink = std::make_shared<GatedSink>();
    QueuedOutput(sink, {}).write("last\n");
    sink->pass();
    for (auto deadline = Clock::now() + 10s; sink.use_count() > 1 && Clock::now() < deadline;) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(sink.use_count(), 1);
    EXPECT_EQ(sink->writes(), std::vector<std::string>{"last\n"});
}

}  // namespace
}  // namespace tolmin
