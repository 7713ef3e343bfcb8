// The outcome of every line in tests/data/frame_lines.tsv: defaults, decoding, the version rule, and the
// text and position of every fault. A row is the line, a tab, and its outcome as line_outcome.hpp writes
// it ("parsed" where only that matters), each cell in the escapes of unit/support/table.hpp. A case is named
// after its line: FrameLines.*/anchor_top_center.

#include <gtest/gtest.h>

#include "unit/model/line_outcome.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(FrameLines, "frame_lines.tsv", 1);

TEST_P(FrameLines, GiveTheirOutcome) {
    const std::string actual = test::outcome_text(test::bytes(GetParam()[0]));
    const std::string expected = test::bytes(GetParam()[1]);
    if (expected == "parsed") {
        EXPECT_EQ(actual.rfind("frame: ", 0), 0u) << actual;
    } else {
        EXPECT_EQ(actual, expected);
    }
}

}  // namespace
}  // namespace tolmin
