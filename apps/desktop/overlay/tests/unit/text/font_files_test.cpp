#include <gtest/gtest.h>

#include "text/font_family_choice.hpp"
#include "text/font_file_names.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

TOLMIN_TABLE(FontFiles, "tables/fonts.tsv", 0);

TEST_P(FontFiles, WhichAreOfferedAndInWhatOrder) {
    const test::Row& row = GetParam();
    if (row[0] == "file") {
        EXPECT_EQ(is_font_file_name(test::units(row[1])), row[2] == "1");
    }
    for (std::size_t i = 1; row[0] == "order" && i < row.cells.size(); ++i) {
        for (std::size_t j = 1; j < row.cells.size(); ++j) {
            EXPECT_EQ(font_name_less(test::units(row[i]), test::units(row[j])), i < j) << i << j;
        }
    }
}

// Names that are views into longer texts are read no further than their ends.
TEST(FontNameOrder, AViewIsReadNoFurtherThanItsEnd) {
    EXPECT_TRUE(font_name_less(std::u16string_view(u"\xD83D\xDE00", 1), u"\xE000"));
    EXPECT_TRUE(font_name_less(std::u16string_view(u"ab", 1), u"aa"));
    EXPECT_FALSE(font_name_less(u"aa", std::u16string_view(u"ab", 1)));
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
