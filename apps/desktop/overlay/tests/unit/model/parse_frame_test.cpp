// parse_frame_line: blank lines, defaults, the version rule and the texts of model faults.

#include "model/parse_frame.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/enum_names.hpp"
#include "unit/model/frame_text.hpp"

namespace tolmin {
namespace {

using test::frame_text;
using test::outcome_text;
using test::parsed_frame;

struct LineCase {
    std::string line;
    std::string outcome;
};

std::ostream& operator<<(std::ostream& out, const LineCase& c) {
    return out << c.line;
}

class LineOutcomes : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineOutcomes, GiveTheExactOutcome) {
    EXPECT_EQ(outcome_text(parse_frame_line(GetParam().line)), GetParam().outcome);
}

const std::string ANCHORS = "expected one of `top-left`, `top-right`, `bottom-left`, `bottom-right`";

INSTANTIATE_TEST_SUITE_P(
    BlankAndVersion, LineOutcomes,
    ::testing::Values(
        LineCase{"", "blank"}, LineCase{" \t\r\n", "blank"}, LineCase{"\xC2\xA0\xE3\x80\x80", "blank"},
        LineCase{"\xE2\x80\xA8\xC2\x85\x0B\x0C", "blank"}, LineCase{"{}", "parsed"},
        LineCase{"\xC2\xA0{}\xE3\x80\x80\n", "parsed"}, LineCase{"{\"v\":1}", "parsed"},
        LineCase{"{\"v\":2}", "rejected: render model v2 (this helper draws v1)"},
        LineCase{"{\"v\":0}", "rejected: render model v0 (this helper draws v1)"},
        LineCase{"{\"v\":4294967295}", "rejected: render model v4294967295 (this helper draws v1)"},
        // Any fault of the decoding is reported instead of the version.
        LineCase{"{\"v\":2,\"hud\":5}",
                 "rejected: invalid type: integer `5`, expected struct Hud at line 1 column 15"},
        LineCase{"{\"v\":2} x", "rejected: trailing characters at line 1 column 9"},
        LineCase{"{\"V\":1}", "parsed"}, LineCase{"{\"V\":2}", "parsed"}));

INSTANTIATE_TEST_SUITE_P(
    ModelFaults, LineOutcomes,
    ::testing::Values(
        LineCase{"{\"v\":-1}", "rejected: invalid value: integer `-1`, expected u32 at line 1 column 8"},
        LineCase{"{\"v\":4294967296}",
                 "rejected: invalid value: integer `4294967296`, expected u32 at line 1 column 16"},
        LineCase{"{\"v\":-9223372036854775808}",
                 "rejected: invalid value: integer `-9223372036854775808`, expected u32 at line 1 column 26"},
        // Integers beyond 64 bits, -0, fractions and exponents are floating point.
        LineCase{"{\"v\":18446744073709551616}",
                 "rejected: invalid type: floating point `18446744073709551616.0`, expected u32 at line 1 "
                 "column 26"},
        LineCase{"{\"v\":-9223372036854775809}",
                 "rejected: invalid type: floating point `-9223372036854775808.0`, expected u32 at line 1 "
                 "column 26"},
        LineCase{"{\"v\":-0}",
                 "rejected: invalid type: floating point `-0.0`, expected u32 at line 1 column 8"},
        LineCase{"{\"v\":1.0}",
                 "rejected: invalid type: floating point `1.0`, expected u32 at line 1 column 9"},
        LineCase{"{\"v\":1e0}",
                 "rejected: invalid type: floating point `1.0`, expected u32 at line 1 column 9"},
        LineCase{"{\"v\":\"1\"}", "rejected: invalid type: string \"1\", expected u32 at line 1 column 9"},
        LineCase{"{\"v\":null}", "rejected: invalid type: null, expected u32 at line 1 column 10"},
        LineCase{"{\"v\":1,\"v\":1}", "rejected: duplicate field `v` at line 1 column 11"},
        LineCase{"{\"hud\":null,\"hud\":{}}", "rejected: duplicate field `hud` at line 1 column 18"},
        LineCase{"{\"hud\":{\"state\":\"a\",\"state\":\"b\"}}",
                 "rejected: duplicate field `state` at line 1 column 28"},
        LineCase{"{\"\\u0076\":1,\"v\":1}", "rejected: duplicate field `v` at line 1 column 16"},
        LineCase{"{\"x\":1,\"x\":2}", "parsed"},
        LineCase{"{\"anchor\":\"top-center\"}",
                 "rejected: unknown variant `top-center`, " + ANCHORS + " at line 1 column 23"},
        LineCase{"{\"anchor\":\"Top-Left\"}",
                 "rejected: unknown variant `Top-Left`, " + ANCHORS + " at line 1 column 21"},
        LineCase{"{\"anchor\":{\"middle\":null}}",
                 "rejected: unknown variant `middle`, " + ANCHORS + " at line 1 column 20"},
        LineCase{"{\"anchor\":null}", "rejected: expected value at line 1 column 15"},
        LineCase{"{\"anchor\":3}", "rejected: expected value at line 1 column 12"},
        LineCase{"{\"anchor\":[\"top-left\"]}", "rejected: expected value at line 1 column 12"},
        LineCase{"{\"anchor\":{}}", "rejected: expected value at line 1 column 13"},
        LineCase{"{\"anchor\":{\"top-left\":null,\"top-left\":null}}",
                 "rejected: expected value at line 1 column 38"},
        LineCase{"{\"anchor\":{\"top-left\":1}}",
                 "rejected: invalid type: integer `1`, expected unit at line 1 column 24"},
        LineCase{"{\"anchor\":{\"top-left\":{}}}",
                 "rejected: invalid type: map, expected unit at line 1 column 24"},
        LineCase{"{\"toasts\":[{\"kind\":{\"bogus\":\"x\"}}]}",
                 "rejected: invalid type: string \"x\", expected unit at line 1 column 32"},
        LineCase{"{\"toasts\":[{\"kind\":false}]}", "rejected: expected value at line 1 column 25"},
        LineCase{"{\"toasts\":[{\"count\":true}]}",
                 "rejected: data did not match any variant of untagged enum Count at line 1 column 25"},
        LineCase{"{\"toasts\":[{\"count\":[1,\"x\"]}]}",
                 "rejected: data did not match any variant of untagged enum Count at line 1 column 28"},
        LineCase{"{\"toasts\":[{\"count\":{\"n\":1}}]}",
                 "rejected: data did not match any variant of untagged enum Count at line 1 column 28"},
        LineCase{"{\"toasts\":[{\"count\":2e308}]}", "rejected: number out of range at line 1 column 21"},
        LineCase{"{\"toasts\":[{\"index\":3}]}",
                 "rejected: invalid type: integer `3`, expected a string at line 1 column 22"},
        LineCase{"{\"offset\":\"24\"}",
                 "rejected: invalid type: string \"24\", expected f64 at line 1 column 15"},
        LineCase{"{\"offset\":null}", "rejected: invalid type: null, expected f64 at line 1 column 15"},
        LineCase{"{\"scale\":2e308}", "rejected: number out of range at line 1 column 10"},
        LineCase{"{\"scale\":-1e309}", "rejected: number out of range at line 1 column 10"},
        LineCase{"{\"monitor\":5}",
                 "rejected: invalid type: integer `5`, expected a string at line 1 column 13"},
        LineCase{"{\"alerts\":null}",
                 "rejected: invalid type: null, expected a sequence at line 1 column 15"},
        LineCase{"{\"alerts\":{}}", "rejected: invalid type: map, expected a sequence at line 1 column 12"},
        LineCase{"{\"alerts\":[null]}",
                 "rejected: invalid type: null, expected struct Alert at line 1 column 16"},
        LineCase{"{\"toasts\":[\"t\"]}",
                 "rejected: invalid type: string \"t\", expected struct Toast at line 1 column 15"},
        LineCase{"{\"night\":true}",
                 "rejected: invalid type: boolean `true`, expected struct Night at line 1 column 14"},
        LineCase{"{\"hud\":{\"state\":null}}",
                 "rejected: invalid type: null, expected a string at line 1 column 21"},
        LineCase{"5", "rejected: invalid type: integer `5`, expected struct Frame at line 1 column 2"},
        LineCase{"null", "rejected: invalid type: null, expected struct Frame at line 1 column 5"},
        LineCase{"\"{}\"", "rejected: invalid type: string \"{}\", expected struct Frame at line 1 column 5"},
        LineCase{"{\"v\":1}\n{\"v\":x}", "rejected: trailing characters at line 2 column 1"},
        LineCase{"{\"v\":1,\n\"hud\":\n  5}",
                 "rejected: invalid type: integer `5`, expected struct Hud at line 3 column 4"}));

INSTANTIATE_TEST_SUITE_P(
    RecordsAsArrays, LineOutcomes,
    ::testing::Values(
        LineCase{"[1,\"top-left\"]", "parsed"}, LineCase{"[]", "parsed"},
        LineCase{"[2]", "rejected: render model v2 (this helper draws v1)"},
        LineCase{"{\"night\":[\"t\",\"x\",3]}", "rejected: trailing characters at line 1 column 19"},
        LineCase{"{\"night\":[\"t\",\"x\" , \"y\" ]}", "rejected: trailing characters at line 1 column 21"},
        LineCase{"{\"night\":[\"t\",\"x\",]}", "rejected: trailing comma at line 1 column 19"},
        LineCase{"{\"night\":[\"t\",\"x\" , ]}", "rejected: trailing comma at line 1 column 21"},
        // The surplus is refused before the reader reads it.
        LineCase{"{\"night\":[null,\"x\",tru]}", "rejected: trailing characters at line 1 column 20"},
        LineCase{"{\"night\":[null,[]]}",
                 "rejected: invalid type: sequence, expected a string at line 1 column 17"},
        LineCase{"[1,\"top-left\",24,1,null,null,null,[],[],{}]",
                 "rejected: trailing characters at line 1 column 41"},
        LineCase{"{\"hud\":[null,\"s\",null,\"e\",\"p\",\"x\"]}",
                 "rejected: trailing characters at line 1 column 31"},
        LineCase{"{\"alerts\":[[\"a\",null,\"t\",null,\"d\",null,0]]}",
                 "rejected: trailing characters at line 1 column 40"},
        LineCase{"{\"toasts\":[[\"a\",\"same\",1,2,null,\"t\",null,3,null,null,null,null,null,{}]]}",
                 "rejected: trailing characters at line 1 column 69"}));

TEST(ParseFrameLine, EmptyObjectGivesEveryDefault) {
    const Frame frame = parsed_frame("{}");
    EXPECT_EQ(frame.v, 1u);
    EXPECT_EQ(frame.anchor, Anchor::BottomRight);
    EXPECT_EQ(frame.offset, 24.0);
    EXPECT_EQ(frame.scale, 1.0);
    EXPECT_FALSE(frame.monitor);
    EXPECT_FALSE(frame.hud);
    EXPECT_FALSE(frame.night);
    EXPECT_TRUE(frame.alerts.empty());
    EXPECT_TRUE(frame.toasts.empty());
    EXPECT_EQ(frame_text(parsed_frame("[]")), frame_text(frame));
}

TEST(ParseFrameLine, EmptyRecordsGiveTheirDefaults) {
    const Frame frame = parsed_frame(R"({"hud":{},"night":{},"alerts":[{}],"toasts":[{}]})");
    ASSERT_TRUE(frame.hud && frame.night && frame.alerts.size() == 1 && frame.toasts.size() == 1);
    EXPECT_EQ(frame_text(frame), frame_text(Frame{std::uint32_t{1},
                                                  Anchor::BottomRight,
                                                  24.0,
                                                  1.0,
                                                  std::nullopt,
                                                  Hud{},
                                                  Night{},
                                                  {Alert{}},
                                                  {Toast{}}}));
    EXPECT_EQ(frame.toasts[0].kind, ToastKind::Marker);
    EXPECT_EQ(frame_text(parsed_frame(R"({"hud":[],"night":[],"alerts":[[]],"toasts":[[]]})")),
              frame_text(frame));
}

TEST(ParseFrameLine, NullOptionalsAreAbsent) {
    const Frame frame = parsed_frame(
        R"({"monitor":null,"hud":{"dot":null,"state_color":null,"presence":null},"night":{"tag":null},)"
        R"("alerts":[{"bar":null,"title_color":null,"detail":null,"detail_color":null}],)"
        R"("toasts":[{"tick":null,"title_color":null,"count":null,"time":null,"time_color":null,)"
        R"("detail":null,"detail_color":null,"index":null}]})");
    EXPECT_EQ(frame_text(frame),
              frame_text(parsed_frame(R"({"hud":{},"night":{},"alerts":[{}],"toasts":[{}]})")));
    EXPECT_FALSE(parsed_frame(R"({"hud":null})").hud);
    EXPECT_FALSE(parsed_frame(R"({"night":null})").night);
}

TEST(ParseFrameLine, EmptyTextIsSomeText) {
    const Frame frame = parsed_frame(R"({"monitor":"","hud":{"presence":""}})");
    EXPECT_EQ(frame.monitor, std::optional<std::string>(""));
    ASSERT_TRUE(frame.hud);
    EXPECT_EQ(frame.hud->presence, std::optional<std::string>(""));
    EXPECT_FALSE(frame.hud->dot);
}

const char* const FULL_OBJECTS =
    R"({"v":1,"anchor":"top-right","offset":-3.5,"scale":0,"monitor":"\\\\.\\DISPLAY2",)"
    R"("hud":{"dot":"#34d399","state":"REC","state_color":"#f8fafc","elapsed":"01:02","presence":"3"},)"
    R"("night":{"tag":"N","title":"Quiet"},)"
    R"("alerts":[{"id":"a1","bar":"#f00","title":"T","title_color":"red","detail":"D","detail_color":"#ccc"},)"
    R"({"id":"a2"}],)"
    R"("toasts":[{"id":"t1","kind":"caller","born":1733490000123.5,"dies":1e13,"tick":"#0f0","title":"Hi",)"
    R"("title_color":"#111","count":2.5,"time":"00:12","time_color":"#222","detail":" d ","detail_color":"#333",)"
    R"("index":"7"},{"kind":{"same":null},"count":"x12"},{"kind":"Caller","count":-4}]})";

const char* const FULL_ARRAYS =
    R"([1,"top-right",-3.5,0,"\\\\.\\DISPLAY2",["#34d399","REC","#f8fafc","01:02","3"],["N","Quiet"],)"
    R"([["a1","#f00","T","red","D","#ccc"],["a2"]],)"
    R"([["t1","caller",1733490000123.5,1e13,"#0f0","Hi","#111",2.5,"00:12","#222"," d ","#333","7"],)"
    R"({"kind":{"same":null},"count":"x12"},["","Caller",0,0,null,"",null,-4]]])";

TEST(ParseFrameLine, DecodesEveryField) {
    const Frame f = parsed_frame(FULL_OBJECTS);
    EXPECT_EQ(f.anchor, Anchor::TopRight);
    EXPECT_EQ(f.offset, -3.5);
    EXPECT_EQ(f.scale, 0.0);
    EXPECT_EQ(f.monitor, std::optional<std::string>("\\\\.\\DISPLAY2"));
    ASSERT_TRUE(f.hud);
    EXPECT_EQ(f.hud->dot, std::optional<std::string>("#34d399"));
    EXPECT_EQ(f.hud->state, "REC");
    EXPECT_EQ(f.hud->state_color, std::optional<std::string>("#f8fafc"));
    EXPECT_EQ(f.hud->elapsed, "01:02");
    EXPECT_EQ(f.hud->presence, std::optional<std::string>("3"));
    ASSERT_TRUE(f.night);
    EXPECT_EQ(f.night->tag, std::optional<std::string>("N"));
    EXPECT_EQ(f.night->title, "Quiet");
    ASSERT_EQ(f.alerts.size(), 2u);
    EXPECT_EQ(f.alerts[0].id, "a1");
    EXPECT_EQ(f.alerts[0].bar, std::optional<std::string>("#f00"));
    EXPECT_EQ(f.alerts[0].title, "T");
    EXPECT_EQ(f.alerts[0].title_color, std::optional<std::string>("red"));
    EXPECT_EQ(f.alerts[0].detail, std::optional<std::string>("D"));
    EXPECT_EQ(f.alerts[0].detail_color, std::optional<std::string>("#ccc"));
    EXPECT_EQ(f.alerts[1].id, "a2");
    EXPECT_FALSE(f.alerts[1].bar);
    ASSERT_EQ(f.toasts.size(), 3u);
    const Toast& t = f.toasts[0];
    EXPECT_EQ(t.id, "t1");
    EXPECT_EQ(t.kind, ToastKind::Caller);
    EXPECT_EQ(t.born, 1733490000123.5);
    EXPECT_EQ(t.dies, 1e13);
    EXPECT_EQ(t.tick, std::optional<std::string>("#0f0"));
    EXPECT_EQ(t.title, "Hi");
    EXPECT_EQ(t.title_color, std::optional<std::string>("#111"));
    EXPECT_EQ(t.count, std::optional<Count>(2.5));
    EXPECT_EQ(t.time, std::optional<std::string>("00:12"));
    EXPECT_EQ(t.time_color, std::optional<std::string>("#222"));
    EXPECT_EQ(t.detail, std::optional<std::string>(" d "));
    EXPECT_EQ(t.detail_color, std::optional<std::string>("#333"));
    EXPECT_EQ(t.index, std::optional<std::string>("7"));
    EXPECT_EQ(f.toasts[1].kind, ToastKind::Same);
    EXPECT_EQ(f.toasts[1].count, std::optional<Count>(std::string("x12")));
    EXPECT_EQ(f.toasts[2].kind, ToastKind::Unrecognized);  // names are case-sensitive
    EXPECT_EQ(f.toasts[2].count, std::optional<Count>(-4.0));
}

TEST(ParseFrameLine, RecordsAsArraysMatchRecordsAsObjects) {
    EXPECT_EQ(frame_text(parsed_frame(FULL_ARRAYS)), frame_text(parsed_frame(FULL_OBJECTS)));
    const Frame frame = parsed_frame(R"([1,"top-left"])");
    EXPECT_EQ(frame.anchor, Anchor::TopLeft);
    Frame expected;
    expected.anchor = Anchor::TopLeft;
    EXPECT_EQ(frame_text(frame), frame_text(expected));
}

TEST(ParseFrameLine, KeyOrderIsFreeAndUnknownKeysAreSkipped) {
    EXPECT_EQ(
        frame_text(parsed_frame(R"({"toasts":[],"x":{"y":[1,{"z":null}]},"anchor":"top-left","V":7,"v":1})")),
        frame_text(parsed_frame(R"({"anchor":"top-left"})")));
    // Unknown keys of every record, with values of every kind.
    EXPECT_EQ(frame_text(parsed_frame(R"({"hud":{"state":"s","x":[]},"night":{"y":{}},"alerts":[{"z":1.5}],)"
                                      R"("toasts":[{"w":"w","kind":"same","u":null,"t":true}]})")),
              frame_text(parsed_frame(
                  R"({"hud":{"state":"s"},"night":{},"alerts":[{}],"toasts":[{"kind":"same"}]})")));
}

TEST(ParseFrameLine, EnumerationsFromStringsAndObjects) {
    const std::pair<const char*, Anchor> anchors[] = {{"top-left", Anchor::TopLeft},
                                                      {"top-right", Anchor::TopRight},
                                                      {"bottom-left", Anchor::BottomLeft},
                                                      {"bottom-right", Anchor::BottomRight}};
    for (const auto& [name, anchor] : anchors) {
        EXPECT_EQ(parsed_frame("{\"anchor\":\"" + std::string(name) + "\"}").anchor, anchor) << name;
        EXPECT_EQ(parsed_frame("{\"anchor\":{\"" + std::string(name) + "\":null}}").anchor, anchor) << name;
    }
    const std::pair<const char*, ToastKind> kinds[] = {{"marker", ToastKind::Marker},
                                                       {"caller", ToastKind::Caller},
                                                       {"same", ToastKind::Same},
                                                       {"", ToastKind::Unrecognized},
                                                       {"bogus", ToastKind::Unrecognized}};
    for (const auto& [name, kind] : kinds) {
        const std::string quoted = "\"" + std::string(name) + "\"";
        EXPECT_EQ(parsed_frame("{\"toasts\":[{\"kind\":" + quoted + "}]}").toasts.at(0).kind, kind) << name;
        EXPECT_EQ(parsed_frame("{\"toasts\":[{\"kind\":{" + quoted + ":null}}]}").toasts.at(0).kind, kind)
            << name;
    }
    EXPECT_EQ(parsed_frame(R"({"anchor":"top\u002dleft"})").anchor, Anchor::TopLeft);
}

TEST(EnumNames, ReadBackTheNamesTheModelWrites) {
    for (const Anchor anchor : {Anchor::TopLeft, Anchor::TopRight, Anchor::BottomLeft, Anchor::BottomRight}) {
        EXPECT_EQ(anchor_from_name(anchor_name(anchor)), anchor);
    }
    for (const ToastKind kind : {ToastKind::Marker, ToastKind::Caller, ToastKind::Same}) {
        EXPECT_EQ(toast_kind_from_name(toast_kind_name(kind)), kind);
    }
    EXPECT_EQ(toast_kind_from_name("unrecognized"), ToastKind::Unrecognized);
    EXPECT_EQ(anchor_from_name("top-left "), std::nullopt);
}

TEST(ParseFrameLine, NumbersAreCorrectlyRounded) {
    EXPECT_EQ(parsed_frame(R"({"offset":0.1})").offset, 0.1);
    EXPECT_EQ(parsed_frame(R"({"offset":2.2250738585072011e-308})").offset, 2.2250738585072011e-308);
    EXPECT_EQ(parsed_frame(R"({"offset":1.7976931348623157e308})").offset, 1.7976931348623157e308);
    EXPECT_EQ(parsed_frame(R"({"offset":9007199254740993})").offset, 9007199254740992.0);  // ties to even
    EXPECT_EQ(parsed_frame(R"({"offset":123456789012345678901234567890})").offset, 1.2345678901234568e29);
    EXPECT_EQ(parsed_frame(R"({"offset":5e-324})").offset, 5e-324);
    // Below the smallest subnormal a literal becomes zero, with its sign.
    const double tiny = parsed_frame(R"({"scale":-1e-400})").scale;
    EXPECT_EQ(tiny, 0.0);
    EXPECT_TRUE(std::signbit(tiny));
    EXPECT_EQ(parsed_frame(R"({"toasts":[{"count":18446744073709551617}]})").toasts.at(0).count,
              std::optional<Count>(18446744073709551616.0));
}

TEST(ParseFrameLine, EscapesAreDecoded) {
    const Frame frame = parsed_frame(R"({"monitor":"\"\\\/\b\f\n\r\t\u0000\u00e9\u20AC\uD83D\uDE00"})");
    EXPECT_EQ(frame.monitor, std::optional<std::string>(
                                 std::string("\"\\/\b\f\n\r\t\0\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 18)));
    EXPECT_EQ(outcome_text(parse_frame_line(R"({"\u0076":2})")),
              "rejected: render model v2 (this helper draws v1)");
    EXPECT_EQ(parsed_frame(R"({"h\u0075d":{"st\u0061te":"x"}})").hud.value_or(Hud{}).state, "x");
}

}  // namespace
}  // namespace tolmin
