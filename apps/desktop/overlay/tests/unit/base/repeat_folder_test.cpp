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

    Folding& at(int ms) {
        now = std::chrono::steady_clock::time_point(std::chrono::milliseconds(ms));
        return *this;
    }
    Folding& report(const char* text) {
        folder.report(text);
        return *this;
    }
    std::string said() {
        std::string all = out.all();
        out.writes.clear();
        return all;
    }
};

TEST(RepeatFolder, WritesATextAtOnceThenCountsItForASecond) {
    Folding f;
    EXPECT_EQ(f.at(0).report("cannot draw").said(), "tolmin-overlay: cannot draw\n");
    for (int ms = 16; ms < 1000; ms += 16) f.at(ms).report("cannot draw");
    EXPECT_EQ(f.said(), "");
    // The report that ends the second is written with the 62 held back: 63 since the last line.
    EXPECT_EQ(f.at(1000).report("cannot draw").said(), "tolmin-overlay: cannot draw (63 times)\n");
    EXPECT_EQ(f.at(1500).report("cannot draw").said(), "");
}

TEST(RepeatFolder, WritesACountOnlyForTwoOrMore) {
    Folding f;
    f.at(0).report("lost").at(10).report("lost").said();
    EXPECT_EQ(f.at(1010).report("lost").said(), "tolmin-overlay: lost (2 times)\n");
    // One held back, then due: the plain text.
    f.at(1500).report("lost");
    f.at(2009).folder.write_due();
    EXPECT_EQ(f.said(), "");
    f.at(2010).folder.write_due();
    EXPECT_EQ(f.said(), "tolmin-overlay: lost\n");
    // A text quiet for a second is written at once again.
    EXPECT_EQ(f.at(3010).report("lost").said(), "tolmin-overlay: lost\n");
}

TEST(RepeatFolder, FoldsEachTextOnItsOwn) {
    Folding f;
    EXPECT_EQ(
        f.at(0).report("a").at(1).report("b").at(2).report("a").at(3).report("b").at(4).report("b").said(),
        "tolmin-overlay: a\ntolmin-overlay: b\n");
    f.at(1000).folder.write_due();
    EXPECT_EQ(f.said(), "tolmin-overlay: a\n");
    f.at(1001).folder.write_due();
    EXPECT_EQ(f.said(), "tolmin-overlay: b (2 times)\n");
}

TEST(RepeatFolder, FlushWritesEveryCountHeldBack) {
    Folding f;
    f.at(0).report("a").report("a").report("a").report("b").said();
    f.folder.flush();
    EXPECT_EQ(f.said(), "tolmin-overlay: a (2 times)\n");
    f.folder.flush();
    EXPECT_EQ(f.said(), "");
}

}  // namespace
}  // namespace tolmin
