#include "base/platform_error_text.hpp"

#include <gtest/gtest.h>

#include "unit/support/table.hpp"

namespace tolmin {
namespace {

std::u16string utf16(const std::string& cell) {
    std::u16string out;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] != '\\') {
            out += static_cast<char16_t>(cell[i]);
        } else if (cell[++i] == 'u') {
            out += static_cast<char16_t>(std::stoul(cell.substr(i + 1, 4), nullptr, 16));
            i += 4;
        } else {
            out += cell[i] == 'n' ? u'\n' : u'\r';
        }
    }
    return out;
}

TEST(PlatformErrorText, EveryRow) {
    for (const auto& row : test::read_table("errors.tsv")) {
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
        if (row[0] == "line") got = system_message_line(utf16(row[1])), want = test::bytes(row[2]);
        EXPECT_EQ(got, want) << row.where();
    }
}

}  // namespace
}  // namespace tolmin
