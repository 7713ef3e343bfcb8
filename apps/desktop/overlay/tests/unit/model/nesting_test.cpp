// The nesting limit while decoding, and values under unknown keys, which are skipped at any depth.

#include <gtest/gtest.h>

#include <string>

#include "unit/model/line_outcome.hpp"

namespace tolmin {
namespace {

using test::outcome_text;

std::string repeat(std::string_view part, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out.append(part);
    return out;
}

// A toast's count made of `depth` nested values: with the Frame, the list and the toast, 3 + depth are open.
std::string count_of_depth(std::size_t depth, std::string_view open = "[", std::string_view inner = "",
                           std::string_view close = "]") {
    return R"({"toasts":[{"count":)" + repeat(open, depth) + std::string(inner) + repeat(close, depth) +
           "}]}";
}

TEST(Nesting, AllowsExactly127OpenArraysAndObjects) {
    const std::string mismatch = "rejected: data did not match any variant of untagged enum Count";
    EXPECT_EQ(outcome_text(count_of_depth(124)), mismatch + " at line 1 column 269");
    // The 128th opening bracket is refused just after it, instead of the count mismatch.
    EXPECT_EQ(outcome_text(count_of_depth(125)), "rejected: recursion limit exceeded at line 1 column 146");
    EXPECT_EQ(outcome_text(count_of_depth(100000)),
              "rejected: recursion limit exceeded at line 1 column 146");
    EXPECT_EQ(outcome_text(count_of_depth(124, "{\"a\":", "1", "}")), mismatch + " at line 1 column 766");
    EXPECT_EQ(outcome_text(count_of_depth(125, "{\"a\":", "1", "}")),
              "rejected: recursion limit exceeded at line 1 column 642");
    // The Frame, its toast list and its toast as arrays count the same.
    EXPECT_EQ(outcome_text("[1,\"top-left\",0,1,null,null,null,[],[[\"\",\"marker\",0,0,null,\"\",null," +
                           repeat("[", 125) + repeat("]", 125) + "]]]"),
              "rejected: recursion limit exceeded at line 1 column 193");
    EXPECT_EQ(outcome_text(R"({"v":)" + repeat("[", 100000)),
              "rejected: invalid type: sequence, expected u32 at line 1 column 7");
}

TEST(Nesting, UnknownKeysAreSkippedAtAnyDepth) {
    const std::string deep = R"({"x":)" + repeat("[{\"y\":", 50000) + "1e999" + repeat("}]", 50000) +
                             R"(,"v":1,"hud":{"x":)" + repeat("[", 1000) + repeat("]", 1000) +
                             R"(},"toasts":[{"y":)" + repeat("{\"z\":", 1000) + "1" + repeat("}", 1000) +
                             "}]}";
    EXPECT_EQ(outcome_text(deep).substr(0, 24), R"(frame: {"v":1,"anchor":")");
}

TEST(Nesting, AMebibyteOfOpenBracketsIsAnEndOfTextFault) {
    const std::string prefix = R"({"x":)";
    EXPECT_EQ(outcome_text(prefix + std::string((1u << 20) - prefix.size(), '[')),
              "syntax: EOF while parsing a list at line 1 column 1048577");
    const std::string objects = prefix + repeat("{\"a\":", ((1u << 20) - prefix.size()) / 5);
    EXPECT_EQ(outcome_text(objects),
              "syntax: EOF while parsing a value at line 1 column " + std::to_string(objects.size() + 1));
}

}  // namespace
}  // namespace tolmin
