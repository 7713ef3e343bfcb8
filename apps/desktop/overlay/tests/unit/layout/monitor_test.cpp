#include "layout/monitor.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TEST(SelectMonitor, NameThenPrimaryThenFirst) {
    for (const auto& row : test::read_table("select_monitor.tsv")) {
        std::vector<Monitor> monitors;
        std::istringstream names(row[0]);
        for (std::string name; names >> name;) {
            Monitor& m = monitors.emplace_back();
            m.primary = name.back() == '*';
            if (m.primary) name.pop_back();
            if (name != "~") m.name = test::bytes(name);
        }
        const auto requested = row[1] == "-" ? std::nullopt : std::optional(test::bytes(row[1]));
        const auto want = row[2] == "-" ? std::nullopt : std::optional<std::size_t>(std::stoul(row[2]));
        EXPECT_EQ(select_monitor(monitors, requested), want) << row.where();
    }
}

}  // namespace
}  // namespace tolmin
