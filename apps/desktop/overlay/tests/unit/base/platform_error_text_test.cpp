#include "base/platform_error_text.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(PlatformErrorText, "tables/errors.tsv", 0);

TEST_P(PlatformErrorText, Rule) {
    const test::Row& row = GetParam();
    const auto hex = [](const std::string& cell) {
        return static_cast<std::uint32_t>(std::stoul(cell, nullptr, 16));
    };
    std::string got, want = row.cells.back();
    if (row[0] == "hresult") {
        got = std::to_string(hresult_from_win32(hex(row[1])));
        want = std::to_string(hex(row[2]));
    }
    if (row[0] == "platform") got = platform_error_text(row[1], hex(row[2]));
    if (row[0] == "os") got = os_error_text(row[1], hex(row[2]));
    if (row[0] == "line") got = system_message_line(test::units(row[1])), want = test::bytes(row[2]);
    EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace tolmin
