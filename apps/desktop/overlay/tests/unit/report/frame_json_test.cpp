#include "report/frame_json.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tolmin {
namespace {

std::string to_json(const Frame& frame) {
    JsonWriter json;
    write_frame(json, frame);
    return json.take();
}

TEST(FrameJson, ADefaultFrameShowsEveryDefault) {
    EXPECT_EQ(
        to_json(Frame{}),
        R"({"v":1,"anchor":"bottom-right","offset":24,"scale":1,"monitor":null,"hud":null,"night":null,)"
        R"("alerts":[],"toasts":[]})");
}

TEST(FrameJson, EveryFieldInDeclarationOrder) {
    Frame frame;
    frame.v = 1;
    frame.anchor = Anchor::TopLeft;
    frame.offset = 12.5;
    frame.scale = -0.0;
    frame.monitor = "\\\\.\\DISPLAY2";
    frame.hud = Hud{"#C8FF00", "LIVE", std::nullopt, "01:02", ""};
    frame.night = Night{std::nullopt, "Quiet \"hours\""};
    frame.alerts.push_back(Alert{"a1", "#FF2E55", "Disk", std::nullopt, "C:\t97 %", "red"});
    frame.alerts.push_back(Alert{});

    Toast marker;
    marker.id = "t1";
    marker.born = 1796544000000;
    marker.dies = 1796544008000.5;
    marker.title = "Marker";
    marker.count = Count{2.5};
    marker.detail = " \t ";
    frame.toasts.push_back(marker);

    Toast odd;
    odd.kind = ToastKind::Unrecognized;
    odd.tick = "#010203";
    odd.title_color = "#FFFFFF";
    odd.count = Count{std::string("x12")};
    odd.time = "12:04";
    odd.time_color = "#C8FF00";
    odd.detail = "d";
    odd.detail_color = "#8B8B96";
    odd.index = "3";
    frame.toasts.push_back(odd);

    Toast caller;
    caller.kind = ToastKind::Caller;
    frame.toasts.push_back(caller);

    EXPECT_EQ(
        to_json(frame),
        R"({"v":1,"anchor":"top-left","offset":12.5,"scale":-0,"monitor":"\\\\.\\DISPLAY2",)"
        R"("hud":{"dot":"#C8FF00","state":"LIVE","state_color":null,"elapsed":"01:02","presence":""},)"
        R"("night":{"tag":null,"title":"Quiet \"hours\""},)"
        R"("alerts":[{"id":"a1","bar":"#FF2E55","title":"Disk","title_color":null,"detail":"C:\t97 %",)"
        R"("detail_color":"red"},)"
        R"({"id":"","bar":null,"title":"","title_color":null,"detail":null,"detail_color":null}],)"
        R"("toasts":[{"id":"t1","kind":"marker","born":1796544000000,"dies":1796544008000.5,"tick":null,)"
        R"("title":"Marker","title_color":null,"count":2.5,"time":null,"time_color":null,"detail":" \t ",)"
        R"("detail_color":null,"index":null,"count_label":"×3","has_detail":false},)"
        R"({"id":"","kind":"unrecognized","born":0,"dies":0,"tick":"#010203","title":"",)"
        R"("title_color":"#FFFFFF","count":"x12","time":"12:04","time_color":"#C8FF00","detail":"d",)"
        R"("detail_color":"#8B8B96","index":"3","count_label":"x12","has_detail":true},)"
        R"({"id":"","kind":"caller","born":0,"dies":0,"tick":null,"title":"","title_color":null,)"
        R"("count":null,"time":null,"time_color":null,"detail":null,"detail_color":null,"index":null,)"
        R"("count_label":null,"has_detail":false}]})");
}

TEST(FrameJson, NumbersJsonCannotHoldAreNull) {
    Frame frame;
    frame.offset = std::numeric_limits<double>::infinity();
    Toast toast;
    toast.count = Count{std::numeric_limits<double>::quiet_NaN()};
    frame.toasts.push_back(toast);
    const std::string json = to_json(frame);
    EXPECT_NE(json.find(R"("offset":null,)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("count":null,)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("count_label":"×0",)"), std::string::npos) << json;
}

}  // namespace
}  // namespace tolmin
