#include "cli/command_line.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "cli/unicode_tables.hpp"

namespace tolmin {
namespace {

std::vector<Argument> args(std::initializer_list<const char*> texts) {
    std::vector<Argument> out;
    for (const char* text : texts) {
        out.push_back(Argument{text, std::filesystem::path(text)});
    }
    return out;
}

struct GrammarCase {
    const char* name;
    std::vector<Argument> arguments;
    // Expected outcome: a usage message, or a mode with its fonts directory.
    std::optional<std::string> error;
    Mode mode = Mode::Overlay;
    std::optional<std::string> fonts = std::nullopt;
    bool probe = false;
};

GrammarCase ok(const char* name, std::vector<Argument> a, Mode mode, std::optional<std::string> fonts = {}) {
    return GrammarCase{name, std::move(a), std::nullopt, mode, std::move(fonts), mode == Mode::Probe};
}

GrammarCase bad(const char* name, std::vector<Argument> a, std::string message) {
    return GrammarCase{name, std::move(a), std::move(message)};
}

class Grammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(Grammar, ParsesLeftToRight) {
    const GrammarCase& c = GetParam();
    const auto result = parse_command_line(c.arguments);
    if (c.error) {
        ASSERT_TRUE(std::holds_alternative<UsageError>(result));
        EXPECT_EQ(std::get<UsageError>(result).message, *c.error);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<ParsedCommandLine>(result)) << std::get<UsageError>(result).message;
    const ParsedCommandLine& parsed = std::get<ParsedCommandLine>(result);
    EXPECT_EQ(parsed.mode, c.mode);
    if (c.mode != Mode::Version) {
        EXPECT_EQ(parsed.command_line.probe, c.probe);
        ASSERT_EQ(parsed.command_line.fonts.has_value(), c.fonts.has_value());
        if (c.fonts) {
            const std::u8string u8 = parsed.command_line.fonts->u8string();
            EXPECT_EQ(std::string(u8.begin(), u8.end()), *c.fonts);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Grammar,
    ::testing::Values(
        ok("NoArguments", {}, Mode::Overlay),
        ok("Probe", args({"--probe"}), Mode::Probe),
        ok("ProbeTwice", args({"--probe", "--probe"}), Mode::Probe),
        ok("FontsSeparate", args({"--fonts", "fonts dir"}), Mode::Overlay, "fonts dir"),
        ok("FontsJoined", args({"--fonts=C:\\fonts"}), Mode::Overlay, "C:\\fonts"),
        ok("FontsJoinedOneByte", args({"--fonts=x"}), Mode::Overlay, "x"),
        ok("FontsJoinedKeepsEquals", args({"--fonts==a=b"}), Mode::Overlay, "=a=b"),
        ok("FontsJoinedNonAscii", args({"--fonts=\xC3\xA9t\xC3\xA9"}), Mode::Overlay, "\xC3\xA9t\xC3\xA9"),
        ok("FontsThenProbe", args({"--fonts", "a", "--probe"}), Mode::Probe, "a"),
        ok("ProbeThenFonts", args({"--probe", "--fonts=a"}), Mode::Probe, "a"),
        ok("LastFontsWinsSeparateThenJoined", args({"--fonts", "a", "--fonts=b", "--probe"}), Mode::Probe, "b"),
        ok("LastFontsWinsJoinedThenSeparate", args({"--fonts=b", "--fonts", "a"}), Mode::Overlay, "a"),
        ok("FontsConsumesAFlag", args({"--fonts", "--probe"}), Mode::Overlay, "--probe"),
        ok("FontsConsumesVersion", args({"--fonts", "--version"}), Mode::Overlay, "--version"),
        ok("FontsConsumesEmpty", args({"--fonts", ""}), Mode::Overlay, ""),
        ok("FontsValueDashes", args({"--fonts", "--fonts"}), Mode::Overlay, "--fonts"),
        ok("Version", args({"--version"}), Mode::Version),
        ok("ShortVersion", args({"-V"}), Mode::Version),
        ok("VersionStopsParsing", args({"--version", "--bogus", "--fonts"}), Mode::Version),
        ok("VersionAfterOptions", args({"--probe", "--fonts", "a", "-V"}), Mode::Version),
        bad("FontsLast", args({"--fonts"}), "--fonts needs a directory"),
        bad("FontsLastAfterProbe", args({"--probe", "--fonts"}), "--fonts needs a directory"),
        bad("FontsJoinedEmpty", args({"--fonts="}), "unknown argument \"--fonts=\""),
        bad("UnknownBeforeVersion", args({"--bogus", "--version"}), "unknown argument \"--bogus\""),
        bad("FirstBadArgumentWins", args({"-x", "--fonts"}), "unknown argument \"-x\""),
        bad("Help", args({"--help"}), "unknown argument \"--help\""),
        bad("ShortHelp", args({"-h"}), "unknown argument \"-h\""),
        bad("LowerV", args({"-v"}), "unknown argument \"-v\""),
        bad("VersionCapitalised", args({"--Version"}), "unknown argument \"--Version\""),
        bad("VersionUpper", args({"--VERSION"}), "unknown argument \"--VERSION\""),
        bad("ProbeWithValue", args({"--probe=1"}), "unknown argument \"--probe=1\""),
        bad("ProbeUpper", args({"--PROBE"}), "unknown argument \"--PROBE\""),
        bad("FontsUpper", args({"--FONTS", "a"}), "unknown argument \"--FONTS\""),
        bad("FontsNoDashes", args({"fonts=a"}), "unknown argument \"fonts=a\""),
        bad("Positional", args({"a"}), "unknown argument \"a\""),
        bad("Empty", args({""}), "unknown argument \"\""),
        bad("NotTrimmed", args({" --probe"}), "unknown argument \" --probe\""),
        bad("TrailingSpace", args({"--probe "}), "unknown argument \"--probe \""),
        bad("SingleDash", args({"-"}), "unknown argument \"-\""),
        bad("DoubleDash", args({"--"}), "unknown argument \"--\""),
        bad("QuoteAndTab", args({"a\"b\tc"}), "unknown argument \"a\\\"b\\tc\"")),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(FontsValue, SeparateFontsValueKeepsTheRawForm) {
    // The matching text is the repaired one; the directory is the argument exactly as delivered.
    const std::filesystem::path raw = std::filesystem::path("raw-form-kept");
    const std::vector<Argument> a = {{"--fonts", "--fonts"}, {"text-form", raw}};
    const auto result = parse_command_line(a);
    ASSERT_TRUE(std::holds_alternative<ParsedCommandLine>(result));
    EXPECT_EQ(std::get<ParsedCommandLine>(result).command_line.fonts, raw);
}

TEST(FontsValue, JoinedFontsValueComesFromTheText) {
    const std::vector<Argument> a = {{"--fonts=text-form", "--fonts=raw-form"}};
    const auto result = parse_command_line(a);
    ASSERT_TRUE(std::holds_alternative<ParsedCommandLine>(result));
    EXPECT_EQ(std::get<ParsedCommandLine>(result).command_line.fonts, std::filesystem::path("text-form"));
}

TEST(FontsValue, MatchesTheTextNotTheRawForm) {
    const std::vector<Argument> a = {{"--probe", "something else"}};
    const auto result = parse_command_line(a);
    ASSERT_TRUE(std::holds_alternative<ParsedCommandLine>(result));
    EXPECT_EQ(std::get<ParsedCommandLine>(result).mode, Mode::Probe);
}

struct QuoteCase {
    const char* name;
    std::string text;
    std::string quoted;
};

class Quote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quote, EscapesWhatCannotBeShown) { EXPECT_EQ(quote_argument(GetParam().text), GetParam().quoted); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Quote,
    ::testing::Values(
        QuoteCase{"Empty", "", "\"\""},
        QuoteCase{"Plain", "--help", "\"--help\""},
        QuoteCase{"Space", "a b", "\"a b\""},
        QuoteCase{"DoubleQuote", "a\"b", "\"a\\\"b\""},
        QuoteCase{"Backslash", "C:\\x", "\"C:\\\\x\""},
        QuoteCase{"Tab", "\t", "\"\\t\""},
        QuoteCase{"CarriageReturn", "\r", "\"\\r\""},
        QuoteCase{"LineFeed", "\n", "\"\\n\""},
        QuoteCase{"Nul", std::string("a\0b", 3), "\"a\\0b\""},
        QuoteCase{"OtherC0", "\x01\x1B\x1F", "\"\\u{1}\\u{1b}\\u{1f}\""},
        QuoteCase{"Delete", "\x7F", "\"\\u{7f}\""},
        QuoteCase{"C1Control", "\xC2\x85", "\"\\u{85}\""},
        QuoteCase{"NoBreakSpace", "\xC2\xA0", "\"\\u{a0}\""},
        QuoteCase{"IdeographicSpace", "\xE3\x80\x80", "\"\\u{3000}\""},
        QuoteCase{"ZeroWidthSpace", "\xE2\x80\x8B", "\"\\u{200b}\""},
        QuoteCase{"ByteOrderMark", "\xEF\xBB\xBF", "\"\\u{feff}\""},
        QuoteCase{"LineSeparator", "\xE2\x80\xA8", "\"\\u{2028}\""},
        QuoteCase{"ParagraphSeparator", "\xE2\x80\xA9", "\"\\u{2029}\""},
        QuoteCase{"PrivateUse", "\xEE\x80\x80", "\"\\u{e000}\""},
        QuoteCase{"Unassigned", "\xCD\xB8", "\"\\u{378}\""},
        QuoteCase{"Noncharacter", "\xF4\x8F\xBF\xBF", "\"\\u{10ffff}\""},
        QuoteCase{"CombiningAcute", "e\xCC\x81", "\"e\\u{301}\""},
        QuoteCase{"ZeroWidthJoinerNonJoiner", "\xE2\x80\x8C", "\"\\u{200c}\""},
        QuoteCase{"VariationSelector", "\xEF\xB8\x8F", "\"\\u{fe0f}\""},
        QuoteCase{"Emoji", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
        QuoteCase{"SingleQuote", "it's", "\"it's\""},
        QuoteCase{"Accented", "\xC3\xA9t\xC3\xA9", "\"\xC3\xA9t\xC3\xA9\""},
        QuoteCase{"Cjk", "\xE4\xB8\xAD", "\"\xE4\xB8\xAD\""},
        QuoteCase{"Replacement", "\xEF\xBF\xBD", "\"\xEF\xBF\xBD\""},
        QuoteCase{"InvalidBytesBecomeReplacement", "a\xFF" "b", "\"a\xEF\xBF\xBD" "b\""}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(UnicodeTables, PropertiesAtRangeEdges) {
    struct Case {
        char32_t cp;
        bool printable;
        bool extend;
    };
    const Case cases[] = {
        {0x00, false, false},    {0x1F, false, false},    {0x20, true, false},     {0x7E, true, false},
        {0x7F, false, false},    {0x9F, false, false},    {0xA0, false, false},    {0xA1, true, false},
        {0xAD, false, false},    {0x300, true, true},     {0x36F, true, true},     {0x370, true, false},
        {0x378, false, false},   {0x200C, false, true},   {0x200D, false, false},  {0xD800, false, false},
        {0xDFFF, false, false},  {0xFFFD, true, false},   {0xFFFE, false, false},  {0xFF9E, true, true},
        {0x1F600, true, false},  {0x20000, true, false},  {0xE0020, false, true},  {0xE0100, true, true},
        {0xF0000, false, false}, {0x10FFFF, false, false}, {0x110000, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_printable(c.cp), c.printable) << std::hex << static_cast<std::uint32_t>(c.cp);
        EXPECT_EQ(is_grapheme_extend(c.cp), c.extend) << std::hex << static_cast<std::uint32_t>(c.cp);
    }
}

}  // namespace
}  // namespace tolmin
