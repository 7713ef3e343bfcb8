// The UTF-8 repair, White_Space trim, UTF-16 conversions and clipping over tests/data/tables/unicode.tsv,
// and a round trip of every scalar value kind through the encoder and the decoder.

#include <gtest/gtest.h>

#include <sstream>

#include "text/unicode.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

using test::bytes;

std::vector<char32_t> hex_list(const std::string& cell) {
    std::vector<char32_t> out;
    std::istringstream in(cell);
    for (std::string word; in >> word;) out.push_back(static_cast<char32_t>(std::stoul(word, nullptr, 16)));
    return out;
}

TOLMIN_TABLE(Unicode, "tables/unicode.tsv", 3);

TEST_P(Unicode, Rule) {
    const test::Row& row = GetParam();
    const std::string& rule = row[0];
    if (rule == "repair") {
        EXPECT_EQ(repair_utf8(bytes(row[1])), bytes(row[2]));
        EXPECT_EQ(is_valid_utf8(bytes(row[1])), row[1] == row[2]);
    } else if (rule == "trim") {
        EXPECT_EQ(trim_white_space(bytes(row[1])), bytes(row[2]));
    } else if (rule == "space") {
        for (const char32_t cp : hex_list(row[1])) EXPECT_EQ(is_white_space(cp), row[2] == "1") << int(cp);
    } else if (rule == "append") {
        std::string out = "x";
        append_utf8(out, hex_list(row[1]).at(0));
        EXPECT_EQ(out, "x" + bytes(row[2]));
    } else if (rule == "utf16") {
        EXPECT_EQ(utf16_to_utf8(test::units(row[1])), bytes(row[2]));
        if (row[3] == "1") {
            EXPECT_EQ(utf8_to_utf16(bytes(row[2])), test::units(row[1]));
        }
    } else {
        const std::u16string units = test::units(row[1]);
        EXPECT_EQ(clipped_utf16_length(units.data(), units.size(), std::stoul(row[2])), std::stoul(row[3]));
    }
}

TEST(UnicodeRoundTrip, EveryBmpScalarAndAStrideThroughTheOtherPlanes) {
    std::string text;
    std::vector<char32_t> scalars;
    for (char32_t cp = 0; cp <= 0x10FFFF; cp += cp < 0x10000 ? 1 : 0x3F) {
        if (cp < 0xD800 || cp > 0xDFFF) scalars.push_back(cp), append_utf8(text, cp);
    }
    ASSERT_TRUE(is_valid_utf8(text));
    std::size_t pos = 0;
    for (std::size_t i = 0; i < scalars.size(); ++i) {
        if (next_code_point(text, pos) != scalars[i])
            FAIL() << "scalar " << std::hex << std::uint32_t(scalars[i]);
    }
    EXPECT_EQ(next_code_point(text, pos), REPLACEMENT_CHARACTER);  // past the end
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(repair_utf8(text), text);
    EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(text)), text);
    pos = 0;
    EXPECT_EQ(next_code_point("\xE2\x82", pos), REPLACEMENT_CHARACTER);
    EXPECT_EQ(pos, 2u);
    // A view that ends between the halves of a pair is read no further than its end.
    EXPECT_EQ(utf16_to_utf8(std::u16string_view(u"\xD83D\xDE00", 1)), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tolmin
