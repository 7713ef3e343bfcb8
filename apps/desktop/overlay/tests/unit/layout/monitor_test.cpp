#include "layout/monitor.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(SelectMonitor, "tables/select_monitor.tsv", 2);

TEST_P(SelectMonitor, NameThenPrimaryThenFirst) {
    std::vector<Monitor> monitors;
    for (std::string name : test::split(GetParam()[0], " ")) {
        Monitor& m = monitors.emplace_back();
        m.primary = name.back() == '*';
        if (m.primary) name.pop_back();
        if (name != "~") m.name = test::bytes(name);
    }
    const auto requested = GetParam()[1] == "-" ? std::nullopt : std::optional(test::bytes(GetParam()[1]));
    const auto want =
        GetParam()[2] == "-" ? std::nullopt : std::optional<std::size_t>(std::stoul(GetParam()[2]));
    EXPECT_EQ(select_monitor(monitors, requested), want);
}

}  // namespace
}  // namespace tolmin
