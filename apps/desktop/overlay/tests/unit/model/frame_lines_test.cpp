// The outcome of every line in tests/data/frame_lines.tsv: defaults, decoding, the version rule, and the
// text and position of every fault. A row is the line, a tab, and its outcome as line_outcome.hpp writes
// it ("parsed" where only that matters); \xHH in either stands for one byte. '#' starts a comment row.

#include <gtest/gtest.h>

#include <fstream>

#include "unit/model/line_outcome.hpp"

namespace tolmin {
namespace {

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\\x" && i + 3 < text.size()) {
            out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16)));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

TEST(FrameLines, GiveTheirOutcome) {
    std::ifstream in(std::string(TOLMIN_TESTDATA_DIR) + "/frame_lines.tsv", std::ios::binary);
    ASSERT_TRUE(in) << "tests/data/frame_lines.tsv";
    std::size_t rows = 0;
    for (std::string row; std::getline(in, row);) {
        const std::size_t tab = row.find('\t');
        if (row.empty() || row[0] == '#' || tab == std::string::npos) continue;
        const std::string actual = test::outcome_text(unescape(row.substr(0, tab)));
        const std::string expected = unescape(row.substr(tab + 1));
        if (expected == "parsed") {
            EXPECT_EQ(actual.rfind("frame: ", 0), 0u) << row << "\n -> " << actual;
        } else {
            EXPECT_EQ(actual, expected) << row;
        }
        ++rows;
    }
    EXPECT_GE(rows, 150u);
}

}  // namespace
}  // namespace tolmin
