// Reading number literals and writing the found parts of faults.

#include "model/number_text.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "model/found_part.hpp"

namespace tolmin {
namespace {

using Kind = NumberRead::Kind;

TEST(ReadNumber, KeepsIntegersExactWhileTheyFit64Bits) {
    const struct {
        const char* literal;
        Kind kind;
    } cases[] = {
        {"0", Kind::Unsigned},
        {"18446744073709551615", Kind::Unsigned},
        {"18446744073709551616", Kind::Floating},
        {"-1", Kind::Negative},
        {"-9223372036854775808", Kind::Negative},
        {"-9223372036854775809", Kind::Floating},
        {"-0", Kind::Floating},
        {"1.0", Kind::Floating},
        {"1e2", Kind::Floating},
        {"1E+2", Kind::Floating},
        {"1e400", Kind::OutOfRange},
        {"-1e400", Kind::OutOfRange},
        {"1e-400", Kind::Floating},
        {"", Kind::Malformed},
        {"1x", Kind::Malformed},
        {"--1", Kind::Malformed},
    };
    for (const auto& c : cases) EXPECT_EQ(read_number(c.literal).kind, c.kind) << c.literal;
    EXPECT_EQ(read_number("18446744073709551615").unsigned_value, UINT64_MAX);
    EXPECT_EQ(read_number("-9223372036854775808").negative_value, INT64_MIN);
    EXPECT_TRUE(std::signbit(read_number("-0").floating_value));
}

TEST(NumberAsDouble, RoundsCorrectlyAndTellsOverflowFromUnderflow) {
    EXPECT_EQ(number_as_double("0.1"), 0.1);
    EXPECT_EQ(number_as_double("24"), 24.0);
    EXPECT_EQ(number_as_double("1.7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(number_as_double("1.7976931348623158e308"), 1.7976931348623157e308);  // rounds down to the max
    EXPECT_EQ(number_as_double("1.7976931348623159e308"), std::nullopt);
    EXPECT_EQ(number_as_double("0.0001e313"), std::nullopt);
    EXPECT_EQ(number_as_double("100000000000000000000000e-20"), 1000.0);
    EXPECT_EQ(number_as_double("2.4703282292062328e-324"), 5e-324);  // just above half the smallest subnormal
    EXPECT_EQ(number_as_double("2.4703282292062327e-324"), 0.0);     // just below: zero, not an error
    EXPECT_EQ(number_as_double("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(number_as_double("123456789e-400"), 0.0);
    EXPECT_EQ(number_as_double("0.000000000000000000001e-310"), 0.0);
    EXPECT_EQ(number_as_double("1e99999999999999999999"), std::nullopt);
    EXPECT_EQ(number_as_double("0e99999999999999999999"), 0.0);
    EXPECT_EQ(number_as_double("1x"), std::nullopt);
}

// The shortcut for short significands and small powers of ten must round exactly like the general conversion.
TEST(NumberAsDouble, AgreesBitForBitWithTheGeneralConversion) {
    std::mt19937_64 random(20261206);
    auto digits = [&random](int count, bool leading_zero_allowed) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            const int low = (i == 0 && !leading_zero_allowed) ? 1 : 0;
            out.push_back(static_cast<char>('0' + low + static_cast<int>(random() % (10 - low))));
        }
        return out;
    };
    int compared = 0;
    for (int round = 0; round < 200000; ++round) {
        std::string literal = random() % 4 == 0 ? "-" : "";
        const int integer_digits = static_cast<int>(random() % 21);
        literal += integer_digits == 0 ? "0" : digits(integer_digits, false);
        if (random() % 2 == 0) literal += "." + digits(1 + static_cast<int>(random() % 20), true);
        if (random() % 3 == 0) {
            literal += random() % 2 == 0 ? "e" : "E";
            const int sign = static_cast<int>(random() % 3);
            if (sign == 1) literal += "+";
            if (sign == 2) literal += "-";
            literal += std::to_string(random() % 40);
        }
        double expected = 0.0;
        const auto result = std::from_chars(literal.data(), literal.data() + literal.size(), expected);
        if (result.ec != std::errc()) continue;
        const std::optional<double> actual = number_as_double(literal);
        ASSERT_TRUE(actual) << literal;
        ASSERT_EQ(std::memcmp(&*actual, &expected, sizeof expected), 0) << literal << " " << *actual;
        ++compared;
    }
    EXPECT_GT(compared, 190000);
}

TEST(FoundPart, WritesEachKindOfValue) {
    EXPECT_EQ(found_null(), "null");
    EXPECT_EQ(found_boolean(true), "boolean `true`");
    EXPECT_EQ(found_boolean(false), "boolean `false`");
    EXPECT_EQ(found_integer("-12"), "integer `-12`");
    EXPECT_EQ(found_sequence(), "sequence");
    EXPECT_EQ(found_map(), "map");
    const struct {
        double value;
        const char* text;
    } floats[] = {{1.0, "floating point `1.0`"},           {1.5, "floating point `1.5`"},
                  {-0.0, "floating point `-0.0`"},         {0.1, "floating point `0.1`"},
                  {1e20, "floating point `1e+20`"},        {1e-7, "floating point `1e-07`"},
                  {123456.0, "floating point `123456.0`"}, {5e-324, "floating point `5e-324`"}};
    for (const auto& f : floats) EXPECT_EQ(found_floating(f.value), f.text);
    EXPECT_EQ(found_string(""), "string \"\"");
    EXPECT_EQ(found_string(std::string("a\"b\\c\n\r\t\b\f\x01\x1f\x7f\xC3\xA9", 15)),
              "string \"a\\\"b\\\\c\\n\\r\\t\\b\\f\\u0001\\u001f\x7f\xC3\xA9\"");
    EXPECT_EQ(found_string(std::string("\0", 1)), "string \"\\u0000\"");
}

}  // namespace
}  // namespace tolmin
