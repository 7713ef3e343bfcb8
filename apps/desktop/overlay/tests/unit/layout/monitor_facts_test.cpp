#include "layout/monitor_facts.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TEST(MonitorFacts, EveryRow) {
    for (const auto& row : test::read_table("monitor_facts.tsv")) {
        std::vector<double> v;
        std::istringstream cells(row[1]);
        for (std::string cell; cells >> cell;) v.push_back(row[0] == "rect" ? test::num(cell) : 0);
        if (row[0] == "name") {
            std::u16string units = row[1] == "full" ? std::u16string(32, u'A') : u"";
            std::istringstream hex(row[1] == "full" ? "" : row[1]);
            for (std::string word; hex >> word;)
                units.push_back(static_cast<char16_t>(std::stoul(word, nullptr, 16)));
            units.resize(32, u'\0');
            const auto want = row[2] == "-" ? std::nullopt : std::optional(test::bytes(row[2]));
            EXPECT_EQ(monitor_from_facts({units, 0, 0, 1, 1, 96, 0}).name, want) << row.where();
        } else if (row[0] == "rect") {
            const auto i = [&](std::size_t k) { return static_cast<std::int32_t>(v[k]); };
            const Monitor m = monitor_from_facts({u"", i(0), i(1), i(2), i(3), 144, 0});
            std::istringstream size(row[2]);
            std::string w, h;
            size >> w >> h;
            EXPECT_EQ((std::vector<double>{double(m.x), double(m.y), double(m.width), double(m.height),
                                           double(m.dpi)}),
                      (std::vector<double>{v[0], v[1], test::num(w), test::num(h), 144}))
                << row.where();
        } else {
            const auto flags = static_cast<std::uint32_t>(std::stoul(row[1], nullptr, 16));
            EXPECT_EQ(monitor_from_facts({u"", 0, 0, 1, 1, 96, flags}).primary, row[2] == "1") << row.where();
        }
    }
    EXPECT_EQ(device_name(u""), std::nullopt);
}

}  // namespace
}  // namespace tolmin
