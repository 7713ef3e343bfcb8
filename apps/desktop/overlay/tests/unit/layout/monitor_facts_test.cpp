#include "layout/monitor_facts.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(MonitorFacts, "tables/monitor_facts.tsv", 2);

TEST_P(MonitorFacts, Rule) {
    const test::Row& row = GetParam();
    if (row[0] == "name") {
        std::u16string units = test::units(row[1]);
        units.resize(32, u'\0');
        const auto want = row[2] == "-" ? std::nullopt : std::optional(test::bytes(row[2]));
        EXPECT_EQ(monitor_from_facts({units, 0, 0, 1, 1, 96, 0}).name, want);
    } else if (row[0] == "rect") {
        const auto v = test::nums(row[1]);
        const auto i = [&](std::size_t k) { return static_cast<std::int32_t>(v[k]); };
        const Monitor m = monitor_from_facts({u"", i(0), i(1), i(2), i(3), 144, 0});
        const auto size = test::nums(row[2]);
        EXPECT_EQ(
            (std::vector<double>{double(m.x), double(m.y), double(m.width), double(m.height), double(m.dpi)}),
            (std::vector<double>{v[0], v[1], size[0], size[1], 144}));
    } else {
        const auto flags = static_cast<std::uint32_t>(std::stoul(row[1], nullptr, 16));
        EXPECT_EQ(monitor_from_facts({u"", 0, 0, 1, 1, 96, flags}).primary, row[2] == "1");
    }
}

}  // namespace
}  // namespace tolmin
