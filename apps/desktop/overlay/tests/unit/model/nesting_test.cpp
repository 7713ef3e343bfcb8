// The nesting limit while decoding, and values under unknown keys, which are skipped at any depth.

#include <gtest/gtest.h>

#include <string>

#include "model/frame_decoder.hpp"
#include "model/parse_frame.hpp"
#include "unit/model/frame_text.hpp"

namespace tolmin {
namespace {

using test::outcome_text;

std::string repeat(std::string_view part, std::size_t times) {
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i) out.append(part);
    return out;
}

// A toast's count made of `depth` nested arrays: with the Frame, the list and the toast, 3 + depth are open.
std::string count_of_depth(std::size_t depth, std::string_view open = "[", std::string_view inner = "",
                           std::string_view close = "]") {
    return R"({"toasts":[{"count":)" + repeat(open, depth) + std::string(inner) + repeat(close, depth) +
           "}]}";
}

TEST(Nesting, AllowsExactly127OpenArraysAndObjects) {
    EXPECT_EQ(3 + 124, static_cast<int>(MAX_NESTING));
    EXPECT_EQ(outcome_text(parse_frame_line(count_of_depth(124))),
              "rejected: data did not match any variant of untagged enum Count at line 1 column 269");
    // The 128th opening bracket is refused just after it, instead of the count mismatch.
    EXPECT_EQ(outcome_text(parse_frame_line(count_of_depth(125))),
              "rejected: recursion limit exceeded at line 1 column 146");
    EXPECT_EQ(outcome_text(parse_frame_line(count_of_depth(100000))),
              "rejected: recursion limit exceeded at line 1 column 146");
}

TEST(Nesting, CountsObjectsAndArraysAlike) {
    EXPECT_EQ(outcome_text(parse_frame_line(count_of_depth(124, "{\"a\":", "1", "}"))),
              "rejected: data did not match any variant of untagged enum Count at line 1 column 766");
    EXPECT_EQ(outcome_text(parse_frame_line(count_of_depth(125, "{\"a\":", "1", "}"))),
              "rejected: recursion limit exceeded at line 1 column 642");
    // The Frame, its toast list and its toast as arrays count the same.
    const std::string as_arrays =
        "[1,\"top-left\",0,1,null,null,null,[],[[\"\",\"marker\",0,0,null,\"\",null," + repeat("[", 125) +
        repeat("]", 125) + "]]]";
    EXPECT_EQ(outcome_text(parse_frame_line(as_arrays)),
              "rejected: recursion limit exceeded at line 1 column 193");
}

TEST(Nesting, SyntaxInsideACountIsCheckedBeforeItIsRefused) {
    EXPECT_EQ(outcome_text(parse_frame_line(R"({"toasts":[{"count":[1,]}]})")),
              "rejected: trailing comma at line 1 column 24");
    EXPECT_EQ(outcome_text(parse_frame_line(R"({"toasts":[{"count":[2e308]}]})")),
              "rejected: number out of range at line 1 column 22");
}

TEST(Nesting, UnknownKeysAreSkippedAtAnyDepth) {
    const std::string deep =
        R"({"x":)" + repeat("[{\"y\":", 50000) + "null" + repeat("}]", 50000) + R"(,"v":1})";
    EXPECT_EQ(outcome_text(parse_frame_line(deep)), "parsed");
    const std::string in_records = R"({"hud":{"x":)" + repeat("[", 1000) + repeat("]", 1000) +
                                   R"(},"toasts":[{"y":)" + repeat("{\"z\":", 1000) + "1" +
                                   repeat("}", 1000) + "}]}";
    EXPECT_EQ(outcome_text(parse_frame_line(in_records)), "parsed");
}

TEST(Nesting, AMebibyteOfOpenBracketsIsAnEndOfTextFault) {
    const std::string prefix = R"({"x":)";
    const std::string line = prefix + std::string((1u << 20) - prefix.size(), '[');
    EXPECT_EQ(outcome_text(parse_frame_line(line)),
              "rejected: EOF while parsing a list at line 1 column 1048577");
    const std::string objects = prefix + repeat("{\"a\":", ((1u << 20) - prefix.size()) / 5);
    EXPECT_EQ(outcome_text(parse_frame_line(objects)),
              "rejected: EOF while parsing a value at line 1 column " + std::to_string(objects.size() + 1));
}

TEST(Nesting, AWrongTypeIsRefusedAtItsFirstBracket) {
    EXPECT_EQ(outcome_text(parse_frame_line(R"({"v":)" + repeat("[", 100000))),
              "rejected: invalid type: sequence, expected u32 at line 1 column 7");
}

}  // namespace
}  // namespace tolmin
