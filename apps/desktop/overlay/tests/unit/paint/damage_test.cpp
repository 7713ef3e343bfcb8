// The damage rule over its case table (tests/data/tables/damage.tsv), one named case a row.

#include "paint/damage.hpp"

#include <gtest/gtest.h>

#include <variant>

#include "frame/layout_json.hpp"
#include "layout/frame_plan.hpp"
#include "model/parse_frame.hpp"
#include "paint/recording_canvas.hpp"
#include "unit/support/builders.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

constexpr double NOW = 1.7e12;

TOLMIN_TABLE(DamageTable, "tables/damage.tsv", 1);

TEST_P(DamageTable, RepaintsWhatChanged) {
    const test::Row& row = GetParam();
    const std::vector<Monitor> monitors{test::monitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 96, true),
                                        test::monitor("\\\\.\\DISPLAY2", 1920, 0, 1920, 1080)};
    FixedTextService text;
    std::optional<ShownPicture> shown;
    Damage damage;
    for (const std::size_t column : {1, 3}) {
        LineOutcome outcome = parse_frame_line(row[column]);
        ASSERT_TRUE(std::holds_alternative<Parsed>(outcome));
        const Frame& frame = std::get<Parsed>(outcome).frame;
        const FramePlan plan = plan_frame(frame, monitors, NOW + test::num(row[column + 1]), text);
        if (!plan.window) {
            shown.reset();
            continue;
        }
        ShownPicture next = shown_picture(frame, plan.layout, monitors[*plan.monitor], *plan.window);
        damage = damage_between(shown, next);
        shown = std::move(next);
    }
    JsonWriter json;
    write_damage(json, damage);
    EXPECT_EQ(json.take(), row[5]);
}

}  // namespace
}  // namespace tolmin
