// Folding of repeated diagnostics: one line a second for the same text, with the count of the repeats it
// stands for.

#include "base/repeat_folder.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "unit/input/scripted_source.hpp"

namespace tolmin {
namespace {

// A folder on a clock the test sets; `said()` is what was written since it was last asked.
struct Folding {
    fakes::RecordingOutput out;
    std::chrono::steady_clock::time_point now;
    RepeatFolder folder{out, [this] { return now; }};

    RepeatFolder& at(int ms) {
        now = std::chrono::steady_clock::time_point(std::chrono::milliseconds(ms));
        return folder;
    }
    std::string said() {
        std::string all = out.all();
        out.writes.clear();
        return all;
    }
};

TEST(RepeatFolder, WritesATextAtOnceThenCountsItForASecond) {
    Folding f;
    f.at(0).report("cannot draw");
    EXPECT_EQ(f.said(), "tolmin-overlay: cannot draw\n");
    for (int ms = 16; ms < 1000; ms += 16) f.at(ms).report("cannot draw");
    EXPECT_EQ(f.said(), "");
    // The report that ends the second is written with the 62 held back: 63 since the last line.
    f.at(1000).report("cannot draw");
    EXPECT_EQ(f.said(), "tolmin-overlay: cannot draw (63 times)\n");
    f.at(1500).report("cannot draw");
    EXPECT_EQ(f.said(), "");
    // Told once its second is over, as the plain text for a single one.
    f.at(1999).write_due();
    EXPECT_EQ(f.said(), "");
    f.at(2000).write_due();
    EXPECT_EQ(f.said(), "tolmin-overlay: cannot draw\n");
    // A text quiet for a second is written at once again.
    f.at(3000).report("cannot draw");
    EXPECT_EQ(f.said(), "tolmin-overlay: cannot draw\n");
}

TEST(RepeatFolder, FoldsEachTextOnItsOwnAndFlushesEveryCountAtTheEnd) {
    Folding f;
    for (const char* text : {"a", "b", "a", "b", "b"}) f.at(0).report(text);
    EXPECT_EQ(f.said(), "tolmin-overlay: a\ntolmin-overlay: b\n");
    f.at(10).flush();
    EXPECT_EQ(f.said(), "tolmin-overlay: a\ntolmin-overlay: b (2 times)\n");
    f.at(20).flush();
    EXPECT_EQ(f.said(), "");
}

}  // namespace
}  // namespace tolmin
