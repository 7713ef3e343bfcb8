#include "text/unicode.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolmin {
namespace {

const std::string FFFD = "\xEF\xBF\xBD";

struct RepairCase {
    const char* name;
    std::string input;
    std::string expected;
};

class RepairUtf8 : public ::testing::TestWithParam<RepairCase> {};

TEST_P(RepairUtf8, ReplacesEachMaximalSubpartOnce) {
    const RepairCase& c = GetParam();
    EXPECT_EQ(repair_utf8(c.input), c.expected);
    EXPECT_EQ(is_valid_utf8(c.input), c.input == c.expected);
    EXPECT_TRUE(is_valid_utf8(repair_utf8(c.input)));
}

std::string rep(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += FFFD;
    }
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepairUtf8,
    ::testing::Values(
        RepairCase{"Empty", "", ""},
        RepairCase{"Ascii", "hello, world", "hello, world"},
        RepairCase{"LongAscii", std::string(100, 'x') + "y", std::string(100, 'x') + "y"},
        RepairCase{"Nul", std::string("a\0b", 3), std::string("a\0b", 3)},
        RepairCase{"TwoByte", "\xC3\xA9", "\xC3\xA9"},
        RepairCase{"ThreeByte", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        RepairCase{"FourByte", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        RepairCase{"MaxScalar", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        RepairCase{"LastBeforeSurrogates", "\xED\x9F\xBF", "\xED\x9F\xBF"},
        RepairCase{"FirstAfterSurrogates", "\xEE\x80\x80", "\xEE\x80\x80"},
        RepairCase{"LoneContinuation", "a\x80" "b", "a" + FFFD + "b"},
        RepairCase{"ContinuationRun", "\x80\x81\x82", rep(3)},
        RepairCase{"OverlongC0", "\xC0\xAF", rep(2)},
        RepairCase{"OverlongC1", "\xC1\xBF", rep(2)},
        RepairCase{"OverlongE0", "\xE0\x80\xAF", rep(3)},
        RepairCase{"OverlongF0", "\xF0\x80\x80\xAF", rep(4)},
        RepairCase{"SurrogateHigh", "\xED\xA0\x80", rep(3)},
        RepairCase{"SurrogateLow", "\xED\xBF\xBF", rep(3)},
        RepairCase{"SurrogatePair", "\xED\xA0\xBD\xED\xB8\x80", rep(6)},
        RepairCase{"AboveMaxF4", "\xF4\x90\x80\x80", rep(4)},
        RepairCase{"LeadF5", "\xF5\x80\x80\x80", rep(4)},
        RepairCase{"LeadFF", "\xFF", rep(1)},
        RepairCase{"TruncatedTwoAtEnd", "a\xC3", "a" + FFFD},
        RepairCase{"TruncatedThreeAtEnd", "a\xE2\x82", "a" + FFFD},
        RepairCase{"TruncatedFourAtEnd", "\xF0\x9F\x98", FFFD},
        RepairCase{"TruncatedThenAscii", "\xE2\x82" "x", FFFD + "x"},
        RepairCase{"TruncatedFourThenAscii", "\xF0\x9F\x98" "x", FFFD + "x"},
        RepairCase{"TruncatedThenLead", "\xE2\x82\xE2\x82\xAC", FFFD + "\xE2\x82\xAC"},
        RepairCase{"LeadThenLead", "\xC3\xC3\xA9", FFFD + "\xC3\xA9"},
        // The example of the WHATWG Encoding standard and of Unicode's table 3-8.
        RepairCase{"UnicodeTable38", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
                   "a" + FFFD + FFFD + FFFD + "b" + FFFD + "c" + FFFD + FFFD + "d"},
        RepairCase{"InvalidAfterLongAscii", std::string(17, 'a') + "\xFE" + std::string(9, 'b'),
                   std::string(17, 'a') + FFFD + std::string(9, 'b')}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(NextCodePoint, DecodesAndAdvances) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    std::size_t pos = 0;
    std::vector<char32_t> seen;
    while (pos < text.size()) {
        seen.push_back(next_code_point(text, pos));
    }
    EXPECT_EQ(seen, (std::vector<char32_t>{U'a', 0xE9, 0x20AC, 0x1F600}));
    EXPECT_EQ(pos, text.size());
}

TEST(NextCodePoint, InvalidInputGivesReplacementAndStillAdvances) {
    std::size_t pos = 0;
    EXPECT_EQ(next_code_point("\xE2\x82", pos), REPLACEMENT_CHARACTER);
    EXPECT_EQ(pos, 2u);
    pos = 5;
    EXPECT_EQ(next_code_point("abc", pos), REPLACEMENT_CHARACTER);
    EXPECT_EQ(pos, 5u);
}

TEST(AppendUtf8, EncodesBoundariesAndReplacesNonScalars) {
    struct Case {
        char32_t cp;
        std::string bytes;
    };
    const Case cases[] = {
        {0x00, std::string(1, '\0')}, {0x7F, "\x7F"},          {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},          {0x800, "\xE0\xA0\x80"}, {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0xD800, FFFD},               {0xDFFF, FFFD},          {0x110000, FFFD},
    };
    for (const Case& c : cases) {
        std::string out = "x";
        append_utf8(out, c.cp);
        EXPECT_EQ(out, "x" + c.bytes) << std::hex << static_cast<std::uint32_t>(c.cp);
    }
}

TEST(AppendUtf8, ScalarValuesRoundTripThroughTheDecoder) {
    // Every scalar value of the BMP, then a stride through the supplementary planes that still meets every
    // value of the low continuation byte, and the last scalar value.
    std::vector<char32_t> scalars;
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp < 0xD800 || cp > 0xDFFF) {
            scalars.push_back(cp);
        }
    }
    for (char32_t cp = 0x10000; cp <= 0x10FFFF; cp += 0x3F) {
        scalars.push_back(cp);
    }
    scalars.push_back(0x10FFFF);
    std::string text;
    for (char32_t cp : scalars) {
        append_utf8(text, cp);
    }
    ASSERT_TRUE(is_valid_utf8(text));
    std::size_t pos = 0;
    std::size_t first_mismatch = scalars.size();
    for (std::size_t i = 0; i < scalars.size() && first_mismatch == scalars.size(); ++i) {
        if (next_code_point(text, pos) != scalars[i]) {
            first_mismatch = i;
        }
    }
    EXPECT_EQ(first_mismatch, scalars.size());
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(repair_utf8(text), text);
    EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(text)), text);
}

TEST(WhiteSpace, MembersAndNonMembers) {
    const char32_t members[] = {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20,   0x85,   0xA0,   0x1680, 0x2000,
                                0x2005, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (char32_t cp : members) {
        EXPECT_TRUE(is_white_space(cp)) << std::hex << static_cast<std::uint32_t>(cp);
    }
    const char32_t others[] = {0x00, 0x08, 0x0E, 0x1F, 0x21, 0x84,   0x86,   0x9F,   0xA1,    0x180E,
                               0x1FFF, 0x200B, 0x200C, 0x200D, 0x2060, 0xFEFF, 0x3001, 0x2027, 0x202A, U'a'};
    for (char32_t cp : others) {
        EXPECT_FALSE(is_white_space(cp)) << std::hex << static_cast<std::uint32_t>(cp);
    }
}

TEST(TrimWhiteSpace, RemovesEveryWhiteSpaceCharacterAtBothEnds) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const std::string nbsp = "\xC2\xA0", nel = "\xC2\x85", ideo = "\xE3\x80\x80", ogham = "\xE1\x9A\x80",
                      en_quad = "\xE2\x80\x80", hair = "\xE2\x80\x8A", ls = "\xE2\x80\xA8",
                      nnbsp = "\xE2\x80\xAF", mmsp = "\xE2\x81\x9F";
    const std::string zwsp = "\xE2\x80\x8B", bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"", ""},
        {" \t\r\n\v\f", ""},
        {"  {}\r\n", "{}"},
        {nbsp + "x" + nel, "x"},
        {ideo + ogham + en_quad + "a b" + hair + ls + nnbsp + mmsp, "a b"},
        {nbsp + ideo, ""},
        {zwsp + "x" + zwsp, zwsp + "x" + zwsp},
        {bom + "{}", bom + "{}"},
        {"x" + std::string("\xA0"), "x\xA0"},          // a stray continuation is not white space
        {std::string("\xC2") + " ", "\xC2"},           // a truncated sequence is kept
        {std::string("\xE2\x80") + " ", "\xE2\x80"},
        {"\xF0" + en_quad, "\xF0"},                     // the lead before a whole character stays
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trim_white_space(c.input), c.expected) << c.input;
    }
}

TEST(Utf16, ConvertsBothWaysAndReplacesUnpairedSurrogates) {
    struct Case {
        std::u16string utf16;
        std::string utf8;
        bool round_trips;
    };
    const Case cases[] = {
        {u"", "", true},
        {u"DISPLAY1", "DISPLAY1", true},
        {u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC", true},
        {u"\U0001F600", "\xF0\x9F\x98\x80", true},
        {std::u16string(u"a\0b", 3), std::string("a\0b", 3), true},
        {std::u16string{0xD83D}, FFFD, false},
        {std::u16string{0xDE00}, FFFD, false},
        {std::u16string{0xDE00, 0xD83D}, FFFD + FFFD, false},
        {std::u16string{0xD83D, u'x'}, FFFD + "x", false},
        {std::u16string{0xD83D, 0xD83D, 0xDE00}, FFFD + "\xF0\x9F\x98\x80", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf16_to_utf8(c.utf16), c.utf8);
        if (c.round_trips) {
            EXPECT_EQ(utf8_to_utf16(c.utf8), c.utf16);
        }
    }
}

}  // namespace
}  // namespace tolmin
