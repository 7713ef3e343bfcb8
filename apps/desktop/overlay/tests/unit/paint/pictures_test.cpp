// Frames laid out and painted with text widths the rows choose (sized_text.hpp), over two tables:
// tables/worked_numbers.tsv, the worked numbers of the overlay's design typed from it, and
// tables/pictures.tsv, each block's geometry at other scales and when a text cannot be laid out. A row: a
// name, the scale, a frame line, then either "layout" and the layout as `tolmin-frame layout` writes it, or
// the names of the drawing operations compared and every operation of those kinds, in order, as op_text.hpp
// writes them, split by " | ".

#include <gtest/gtest.h>

#include <algorithm>

#include "frame/layout_json.hpp"
#include "model/parse_frame.hpp"
#include "paint/painter.hpp"
#include "unit/paint/op_text.hpp"
#include "unit/paint/sized_text.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

constexpr double NOW = 1e6;

TOLMIN_TABLE(Picture, "tables/pictures.tsv", 1);
INSTANTIATE_TEST_SUITE_P(Worked, Picture, testing::ValuesIn(test::read_table("tables/worked_numbers.tsv", 1)),
                         test::row_name);

TEST_P(Picture, LaidOutAndPainted) {
    const test::Row& row = GetParam();
    LineOutcome outcome = parse_frame_line(test::bytes(row[2]));
    ASSERT_TRUE(std::holds_alternative<Parsed>(outcome));
    const Frame& frame = std::get<Parsed>(outcome).frame;
    test::SizedText text;
    const Layout layout = layout_frame(frame, test::num(row[1]), NOW, text);
    if (row[3] == "layout") {
        JsonWriter json;
        write_layout(json, layout);
        EXPECT_EQ(json.take(), row[4]);
        return;
    }
    RecordingCanvas canvas;
    ASSERT_TRUE(paint_frame(canvas, text, 0, 0, frame, layout).ok());
    const auto kinds = test::split(row[3], " ");
    std::vector<std::string> drawn;
    for (const DrawOp& op : canvas.ops) {
        const std::string said = test::op_text(op);
        if (std::count(kinds.begin(), kinds.end(), said.substr(0, said.find(' ')))) drawn.push_back(said);
    }
    EXPECT_EQ(drawn, test::split(row[4], " | "));
}

}  // namespace
}  // namespace tolmin
