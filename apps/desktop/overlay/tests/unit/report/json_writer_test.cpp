#include "report/json_writer.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tolmin {
namespace {

std::string as_string(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

std::string as_number(double value) {
    std::string out;
    append_json_number(out, value);
    return out;
}

TEST(JsonWriter, EscapesStringsLikeTheProbeReport) {
    struct Case {
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"a\"b\\c", R"("a\"b\\c")"},
        {"\b\t\n\f\r", R"("\b\t\n\f\r")"},
        {std::string("\0\x01\x0b\x1f", 4), R"("\u0000\u0001\u000b\u001f")"},
        {"/ \x7f", "\"/ \x7f\""},  // slash and DEL unescaped
        {"\\\\.\\DISPLAY1", R"("\\\\.\\DISPLAY1")"},
        {"\xC3\x97\xE2\x80\xA8\xF0\x9F\x99\x82", "\"\xC3\x97\xE2\x80\xA8\xF0\x9F\x99\x82\""},  // raw UTF-8
        {"a\xFF"
         "b\xE2\x82",
         "\"a\xEF\xBF\xBD"
         "b\xEF\xBF\xBD\""},  // invalid UTF-8 as U+FFFD
    };
    for (const Case& c : cases) {
        EXPECT_EQ(as_string(c.in), c.out);
    }
}

TEST(JsonWriter, WritesTheShortestNumberThatReadsBack) {
    struct Case {
        double in;
        const char* out;
    };
    const std::vector<Case> cases = {
        {0.0, "0"},
        {-0.0, "-0"},
        {1.0, "1"},
        {-24.0, "-24"},
        {1.25, "1.25"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {1796544000000.0, "1796544000000"},
        {9007199254740993.0, "9007199254740992"},
        {123456789012345680000.0, "123456789012345683968"},  // the exact value of the double
        {1e21, "1e+21"},
        {1e-7, "0.0000001"},
        {-1.5e-7, "-0.00000015"},
        {9.9e-8, "9.9e-08"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(as_number(c.in), c.out) << c.in;
    }
    for (double value : {0.1 + 0.2, 1.875, 1e-7, 123456.789e10, -2.5e-300, 51.04}) {
        const std::string text = as_number(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
}

TEST(JsonWriter, PlacesCommasAndColonsInNestedContainers) {
    JsonWriter json;
    json.begin_object();
    json.key("a").integer(-1);
    json.key("b").begin_array();
    json.begin_object().end_object();
    json.begin_array().end_array();
    json.unsigned_integer(18446744073709551615u).boolean(true).boolean(false).null();
    json.optional_string(std::nullopt).optional_string(std::string("x"));
    json.end_array();
    json.key("c").begin_object().key("d").number(0.5).key("e").string("f").end_object();
    json.key("").begin_array().end_array();
    json.end_object();
    EXPECT_EQ(
        json.text(),
        R"({"a":-1,"b":[{},[],18446744073709551615,true,false,null,null,"x"],"c":{"d":0.5,"e":"f"},"":[]})");

    const std::string first = json.take();
    EXPECT_EQ(first.front(), '{');
    EXPECT_TRUE(json.text().empty());
    // After take() the writer starts afresh: no comma carried over.
    json.begin_array().integer(1).end_array();
    EXPECT_EQ(json.text(), "[1]");
}

}  // namespace
}  // namespace tolmin
