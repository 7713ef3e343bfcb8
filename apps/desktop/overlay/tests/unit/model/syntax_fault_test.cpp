// Faults of JSON syntax: the description, the position of the offending byte, and that the decoder classes
// them as syntax (the JSON conformance test relies on it).

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "model/frame_decoder.hpp"
#include "model/parse_frame.hpp"
#include "unit/model/frame_text.hpp"

namespace tolmin {
namespace {

struct SyntaxCase {
    std::string line;
    std::string text;  // the rejection text
};

std::ostream& operator<<(std::ostream& out, const SyntaxCase& c) {
    return out << c.line;
}

class SyntaxFaults : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SyntaxFaults, AreDescribedAtTheOffendingByte) {
    EXPECT_EQ(test::outcome_text(parse_frame_line(GetParam().line)), "rejected: " + GetParam().text);
}

TEST_P(SyntaxFaults, AreClassedAsSyntax) {
    const std::optional<Fault> fault = test::fault_of(GetParam().line);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(is_syntax_fault(fault->kind));
}

std::string with_byte(std::string text, std::size_t at, char byte) {
    text[at] = byte;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    EndOfText, SyntaxFaults,
    ::testing::Values(SyntaxCase{"{", "EOF while parsing an object at line 1 column 2"},
                      SyntaxCase{"{\"x\"", "EOF while parsing an object at line 1 column 5"},
                      SyntaxCase{"{\"x\":", "EOF while parsing a value at line 1 column 6"},
                      SyntaxCase{"{\"x\":1", "EOF while parsing an object at line 1 column 7"},
                      SyntaxCase{"{\"x\":1,", "EOF while parsing a value at line 1 column 8"},
                      SyntaxCase{"{\"x\":[", "EOF while parsing a list at line 1 column 7"},
                      SyntaxCase{"{\"x\":[1", "EOF while parsing a list at line 1 column 8"},
                      SyntaxCase{"{\"x\":[1,", "EOF while parsing a value at line 1 column 9"},
                      SyntaxCase{"[", "EOF while parsing a list at line 1 column 2"},
                      SyntaxCase{"{\"x\":\"ab", "EOF while parsing a string at line 1 column 9"},
                      SyntaxCase{"{\"x\":\"a\\", "EOF while parsing a string at line 1 column 9"},
                      SyntaxCase{"{\"x\":\"\\u12", "EOF while parsing a string at line 1 column 11"},
                      SyntaxCase{"{\"x\":\"\\uD800", "EOF while parsing a string at line 1 column 13"},
                      SyntaxCase{"{\"x\":\"\\uD800\\", "EOF while parsing a string at line 1 column 14"},
                      SyntaxCase{"{\"x\":\"\\uD800\\uDC", "EOF while parsing a string at line 1 column 17"},
                      SyntaxCase{"{\"x\":tru", "EOF while parsing a value at line 1 column 9"},
                      SyntaxCase{"{\"x\":-", "EOF while parsing a value at line 1 column 7"},
                      SyntaxCase{"{\"x\":1.", "EOF while parsing a value at line 1 column 8"},
                      SyntaxCase{"{\"x\":1e", "EOF while parsing a value at line 1 column 8"}));

INSTANTIATE_TEST_SUITE_P(
    Punctuation, SyntaxFaults,
    ::testing::Values(SyntaxCase{"{\"x\" 1}", "expected `:` at line 1 column 6"},
                      SyntaxCase{"{\"x\"}", "expected `:` at line 1 column 5"},
                      SyntaxCase{"{\"x\":1 \"y\":2}", "expected `,` or `}` at line 1 column 8"},
                      SyntaxCase{"{\"x\":[1 2]}", "expected `,` or `]` at line 1 column 9"},
                      SyntaxCase{"{\"x\":[1:2]}", "expected `,` or `]` at line 1 column 8"},
                      SyntaxCase{"{1:2}", "key must be a string at line 1 column 2"},
                      SyntaxCase{"{'a':1}", "key must be a string at line 1 column 2"},
                      SyntaxCase{"{\"a\":1,2:3}", "key must be a string at line 1 column 8"},
                      SyntaxCase{"{\"a\":1,,}", "key must be a string at line 1 column 8"},
                      SyntaxCase{"{/*c*/}", "key must be a string at line 1 column 2"},
                      SyntaxCase{"{\"a\":1,}", "trailing comma at line 1 column 8"},
                      SyntaxCase{"{\"x\":[1, ]}", "trailing comma at line 1 column 10"},
                      SyntaxCase{"[1,]", "trailing comma at line 1 column 4"},
                      SyntaxCase{"{\"a\":1}}", "trailing characters at line 1 column 8"},
                      SyntaxCase{"{} {}", "trailing characters at line 1 column 4"},
                      SyntaxCase{"{\"v\":1}\r\n,", "trailing characters at line 2 column 1"}));

INSTANTIATE_TEST_SUITE_P(
    Values, SyntaxFaults,
    ::testing::Values(SyntaxCase{"{\"x\":}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\"::1}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":[,]}", "expected value at line 1 column 7"},
                      SyntaxCase{"{\"x\":[1,,2]}", "expected value at line 1 column 9"},
                      SyntaxCase{"{\"x\":True}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":.5}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":NaN}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":Infinity}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":\xC2\xA0"
                                 "1}",
                                 "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":\f1}", "expected value at line 1 column 6"},
                      SyntaxCase{"{\"x\":trux}", "expected ident at line 1 column 9"},
                      SyntaxCase{"{\"x\":nul}", "expected ident at line 1 column 9"},
                      SyntaxCase{"{\"x\":fals }", "expected ident at line 1 column 10"},
                      SyntaxCase{"{\"x\":-a}", "invalid number at line 1 column 7"},
                      SyntaxCase{"{\"x\":-Infinity}", "invalid number at line 1 column 7"},
                      SyntaxCase{"{\"x\":01}", "invalid number at line 1 column 7"},
                      SyntaxCase{"{\"x\":[-01]}", "invalid number at line 1 column 9"},
                      SyntaxCase{"{\"x\":1.a}", "invalid number at line 1 column 8"},
                      SyntaxCase{"{\"x\":1e+}", "invalid number at line 1 column 9"},
                      SyntaxCase{"{\"offset\":1e999}", "number out of range at line 1 column 11"},
                      SyntaxCase{"{\"offset\":-123123e100000}", "number out of range at line 1 column 11"},
                      SyntaxCase{"{\"offset\":1.8e308}", "number out of range at line 1 column 11"}));

INSTANTIATE_TEST_SUITE_P(
    Strings, SyntaxFaults,
    ::testing::Values(
        SyntaxCase{"{\"x\":\"\\x\"}", "invalid escape at line 1 column 8"},
        SyntaxCase{"{\"x\":\"\\U0041\"}", "invalid escape at line 1 column 8"},
        SyntaxCase{"{\"x\":\"\\u12G4\"}", "invalid escape at line 1 column 11"},
        SyntaxCase{"{\"x\":\"\\uD800\\u12G4\"}", "invalid escape at line 1 column 17"},
        SyntaxCase{"{\"x\":\"\\uD800x\"}", "unexpected end of hex escape at line 1 column 13"},
        SyntaxCase{"{\"x\":\"\\uD800\\n\"}", "unexpected end of hex escape at line 1 column 14"},
        SyntaxCase{"{\"x\":\"\\uD800\\u0041\"}", "lone leading surrogate in hex escape at line 1 column 13"},
        SyntaxCase{"{\"x\":\"\\uDBFF\\uDBFF\"}", "lone leading surrogate in hex escape at line 1 column 13"},
        // A trailing surrogate alone is no code point; it would make the text invalid UTF-8.
        SyntaxCase{"{\"monitor\":\"\\uDC00\"}", "invalid unicode code point at line 1 column 13"},
        SyntaxCase{"{\"monitor\":\"ab\\uD83D\\uDE00\\n\\uDFFF\"}",
                   "invalid unicode code point at line 1 column 29"},
        SyntaxCase{"{\"\\uDC00\":1}", "invalid unicode code point at line 1 column 3"},
        SyntaxCase{"{\"toasts\":[{\"kind\":{\"\\uDC00\":null}}]}",
                   "invalid unicode code point at line 1 column 22"},
        SyntaxCase{"{\"monitor\":\"a\tb\"}",
                   "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 14"},
        SyntaxCase{"{\"x\":\"a\nb\"}",
                   "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 8"},
        SyntaxCase{"{\"x\":\"\x1f\"}",
                   "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 7"},
        SyntaxCase{with_byte("{\"x\":\"a_b\"}", 7, '\0'),
                   "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 8"}));

// A NUL byte is an unexpected byte wherever it is, never the end of the text.
INSTANTIATE_TEST_SUITE_P(
    NulBytes, SyntaxFaults,
    ::testing::Values(
        SyntaxCase{with_byte("{}_", 2, '\0'), "trailing characters at line 1 column 3"},
        SyntaxCase{with_byte("_{}", 0, '\0'), "expected value at line 1 column 1"},
        SyntaxCase{with_byte("{\"x\":_}", 5, '\0'), "expected value at line 1 column 6"},
        SyntaxCase{with_byte("{\"x\":[1_]}", 7, '\0'), "expected `,` or `]` at line 1 column 8"},
        SyntaxCase{with_byte("{\"x\":1_}", 6, '\0'), "expected `,` or `}` at line 1 column 7"},
        SyntaxCase{with_byte("{_}", 1, '\0'), "key must be a string at line 1 column 2"},
        SyntaxCase{with_byte("{\"x\"_:1}", 4, '\0'), "expected `:` at line 1 column 5"},
        SyntaxCase{with_byte("{\"x\":tr_e}", 7, '\0'), "expected ident at line 1 column 8"},
        SyntaxCase{with_byte("{\"x\":\"\\_\"}", 7, '\0'), "invalid escape at line 1 column 8"}));

TEST(SyntaxFaults, PositionsCountWithinTheTrimmedLine) {
    EXPECT_EQ(test::outcome_text(parse_frame_line("\xE3\x80\x80  {x}\r\n")),
              "rejected: key must be a string at line 1 column 2");
}

TEST(ModelFaults, AreNotClassedAsSyntax) {
    for (const char* line :
         {"5", "{\"v\":-1}", "{\"v\":1.5}", "{\"v\":1,\"v\":1}", "{\"anchor\":\"x\"}", "{\"anchor\":5}",
          "{\"toasts\":[{\"count\":[]}]}", "{\"night\":[null,\"\",1]}"}) {
        const std::optional<Fault> fault = test::fault_of(line);
        ASSERT_TRUE(fault) << line;
        EXPECT_FALSE(is_syntax_fault(fault->kind)) << line;
    }
}

}  // namespace
}  // namespace tolmin
