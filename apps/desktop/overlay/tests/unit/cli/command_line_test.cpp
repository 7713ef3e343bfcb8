#include "cli/command_line.hpp"

#include <gtest/gtest.h>

#include "text/unicode_tables.hpp"
#include "unit/support/table.hpp"

namespace tolmin {
namespace {

const char* mode_name(Mode mode) {
    return mode == Mode::Probe ? "probe" : mode == Mode::Version ? "version" : "overlay";
}

// What a parse gave, in the table's words: "error" and the message, or the mode and the fonts value.
std::pair<std::string, std::string> outcome(const std::variant<ParsedCommandLine, UsageError>& result) {
    if (const auto* error = std::get_if<UsageError>(&result)) return {"error", error->message};
    const auto& parsed = std::get<ParsedCommandLine>(result);
    if (parsed.mode == Mode::Version) return {"version", "-"};
    EXPECT_EQ(parsed.command_line.probe, parsed.mode == Mode::Probe);
    if (!parsed.command_line.fonts) return {mode_name(parsed.mode), "-"};
    const std::u8string fonts = parsed.command_line.fonts->u8string();
    return {mode_name(parsed.mode), std::string(fonts.begin(), fonts.end())};
}

TOLMIN_TABLE(CommandLine, "tables/command_line.tsv", 0);

TEST_P(CommandLine, Rule) {
    const test::Row& row = GetParam();
    if (row[0] == "args") {
        std::vector<Argument> arguments;
        for (std::size_t i = 3; i < row.cells.size(); ++i) {
            arguments.push_back({test::bytes(row[i]), std::filesystem::path(test::bytes(row[i]))});
        }
        EXPECT_EQ(outcome(parse_command_line(arguments)), std::pair(row[1], test::bytes(row[2])));
    } else if (row[0] == "quote") {
        EXPECT_EQ(quote_argument(test::bytes(row[1])), test::bytes(row[2]));
    } else {
        const auto cp = static_cast<char32_t>(std::stoul(row[1], nullptr, 16));
        EXPECT_EQ(is_printable(cp), row[2] == "1");
        EXPECT_EQ(is_grapheme_extend(cp), row[3] == "1");
    }
}

TEST(CommandLineFonts, ASeparateFontsValueKeepsTheRawFormAndMatchingUsesTheText) {
    const auto fonts_of = [](std::vector<Argument> arguments) {
        return std::get<ParsedCommandLine>(parse_command_line(arguments)).command_line.fonts;
    };
    EXPECT_EQ(fonts_of({{"--fonts", "x"}, {"text-form", "raw-form"}}), std::filesystem::path("raw-form"));
    EXPECT_EQ(fonts_of({{"--fonts=text-form", "--fonts=raw-form"}}), std::filesystem::path("text-form"));
    EXPECT_EQ(std::get<ParsedCommandLine>(parse_command_line({{"--probe", "other"}})).mode, Mode::Probe);
}

}  // namespace
}  // namespace tolmin
