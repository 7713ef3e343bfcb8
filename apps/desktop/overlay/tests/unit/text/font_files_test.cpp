#include <gtest/gtest.h>

#include "text/font_family_choice.hpp"
#include "text/font_file_names.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

// \uXXXX is one UTF-16 unit; every other character is the unit of its ASCII value.
std::u16string units(const std::string& cell) {
    std::u16string out;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const bool escape = cell.compare(i, 2, "\\u") == 0;
        out += escape ? static_cast<char16_t>(std::stoul(cell.substr(i + 2, 4), nullptr, 16)) : cell[i];
        i += escape ? 5 : 0;
    }
    return out;
}

TEST(FontFiles, WhichAreOfferedAndInWhatOrder) {
    for (const auto& row : test::read_table("fonts.tsv")) {
        if (row[0] == "file") {
            EXPECT_EQ(is_font_file_name(units(row[1])), row[2] == "1") << row.where();
        }
        for (std::size_t i = 1; row[0] == "order" && i < row.cells.size(); ++i) {
            for (std::size_t j = 1; j < row.cells.size(); ++j) {
                EXPECT_EQ(font_name_less(units(row[i]), units(row[j])), i < j)
                    << row.where() << " " << i << j;
            }
        }
    }
}

TEST(FontFamily, BarlowWithCondensedStretchOnlyWhenTheCondensedNameIsMissing) {
    const auto family = [](bool by_name, bool grouped) {
        const CondensedFamily f = choose_condensed_family({by_name, grouped});
        return std::string(f.family) + (f.stretch == STRETCH_CONDENSED ? " condensed" : " normal") +
               (f.present ? "" : " missing");
    };
    EXPECT_EQ(family(true, false), "Barlow Condensed normal");
    EXPECT_EQ(family(true, true), "Barlow Condensed normal");
    EXPECT_EQ(family(false, true), "Barlow condensed");
    EXPECT_EQ(family(false, false), "Barlow Condensed normal missing");
    std::string condensed;
    for (int stretch = 0; stretch <= 9; ++stretch) condensed += is_condensed_stretch(stretch) ? '1' : '0';
    EXPECT_EQ(condensed, "0111000000");  // condensed and narrower count; undefined (0) does not
}

}  // namespace
}  // namespace tolmin
