#include "color/color.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tolmin {
namespace {

const Rgb FALLBACK = rgb_bytes(1, 2, 3);

struct ColorCase {
    const char* name;
    std::optional<std::string> text;
    std::optional<Rgb> expected;  // none: the fallback
};

class ParseColor : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ParseColor, GivesTheChannelsOrTheFallback) {
    const ColorCase& c = GetParam();
    const Rgb got = parse_color(c.text, FALLBACK);
    const Rgb want = c.expected.value_or(FALLBACK);
    // Exact equality: a channel is exactly the byte divided by 255.
    EXPECT_EQ(got.r, want.r);
    EXPECT_EQ(got.g, want.g);
    EXPECT_EQ(got.b, want.b);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseColor,
    ::testing::Values(
        ColorCase{"Lower", "#ff2e55", Rgb{1.0, 46 / 255.0, 85 / 255.0}},
        ColorCase{"Upper", "#FF2E55", Rgb{1.0, 46 / 255.0, 85 / 255.0}},
        ColorCase{"MixedCase", "#aBcDeF", rgb_bytes(0xAB, 0xCD, 0xEF)},
        ColorCase{"Black", "#000000", Rgb{0, 0, 0}},
        ColorCase{"White", "#FFFFFF", Rgb{1, 1, 1}},
        ColorCase{"ChannelOrder", "#010203", rgb_bytes(1, 2, 3)},
        ColorCase{"AllDigits", "#123456", rgb_bytes(0x12, 0x34, 0x56)},
        ColorCase{"PlusAsFirstDigit", "#+12345", rgb_bytes(0x01, 0x23, 0x45)},
        ColorCase{"PlusThenLetters", "#+fFfFf", rgb_bytes(0x0F, 0xFF, 0xFF)},
        ColorCase{"Absent", std::nullopt, std::nullopt},
        ColorCase{"Empty", "", std::nullopt},
        ColorCase{"HashOnly", "#", std::nullopt},
        ColorCase{"SixBytes", "#FF2E5", std::nullopt},
        ColorCase{"TrailingSpace", "#FF2E55 ", std::nullopt},
        ColorCase{"LeadingSpace", " #FF2E55", std::nullopt},
        ColorCase{"SpaceInside", "#FF E55", std::nullopt},
        ColorCase{"NotHex", "#GG0000", std::nullopt},
        ColorCase{"MinusLast", "#12345-", std::nullopt},
        ColorCase{"MinusFirst", "#-12345", std::nullopt},
        ColorCase{"TwoPlus", "#++1234", std::nullopt},
        ColorCase{"PlusNotFirst", "#1+2345", std::nullopt},
        ColorCase{"Name", "red", std::nullopt},
        ColorCase{"SevenBytesNoHash", "0xFF2E5", std::nullopt},
        ColorCase{"HashHexPrefix", "#0x1234", std::nullopt},
        ColorCase{"Alpha", "#FF2E55FF", std::nullopt},
        ColorCase{"ShortForm", "#F25", std::nullopt},
        ColorCase{"TwoByteCharAfterHash", "#\xC3\xA9" "1234", std::nullopt},
        ColorCase{"ThreeByteCharAfterHash", "#\xEF\xBC\x91" "123", std::nullopt},
        ColorCase{"FullwidthDigits", "#\xEF\xBC\x91\xEF\xBC\x92", std::nullopt},
        ColorCase{"NulInside", std::string("#12\0" "456", 7), std::nullopt}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ColorFallbacks, EachChannelIsExactlyItsByteOver255) {
    struct Case {
        const char* name;
        Rgb color;
        int r, g, b;
    };
    const Case cases[] = {
        {"HUD_DOT", HUD_DOT_FALLBACK, 255, 46, 85},
        {"HUD_STATE_COLOR", HUD_STATE_COLOR_FALLBACK, 255, 46, 85},
        {"ALERT_BAR", ALERT_BAR_FALLBACK, 255, 46, 85},
        {"ALERT_TITLE_COLOR", ALERT_TITLE_COLOR_FALLBACK, 242, 242, 245},
        {"ALERT_DETAIL_COLOR", ALERT_DETAIL_COLOR_FALLBACK, 201, 201, 210},
        {"TOAST_TICK", TOAST_TICK_FALLBACK, 139, 139, 150},
        {"TOAST_TITLE_COLOR", TOAST_TITLE_COLOR_FALLBACK, 242, 242, 245},
        {"TOAST_TIME_COLOR", TOAST_TIME_COLOR_FALLBACK, 200, 255, 0},
        {"TOAST_DETAIL_COLOR", TOAST_DETAIL_COLOR_FALLBACK, 139, 139, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.color.r, c.r / 255.0) << c.name;
        EXPECT_EQ(c.color.g, c.g / 255.0) << c.name;
        EXPECT_EQ(c.color.b, c.b / 255.0) << c.name;
    }
}

TEST(ColorFallbacks, TheirColourTextsParseToThemselves) {
    const std::pair<const char*, Rgb> cases[] = {
        {"#FF2E55", SIGNAL}, {"#F2F2F5", BRIGHT}, {"#C9C9D2", SOFT}, {"#8B8B96", DIM}, {"#C8FF00", LIME},
    };
    for (const auto& [text, color] : cases) {
        EXPECT_EQ(parse_color(std::string(text), FALLBACK), color) << text;
    }
}

}  // namespace
}  // namespace tolmin
