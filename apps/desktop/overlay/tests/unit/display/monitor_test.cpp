#include "display/monitor.hpp"

#include <gtest/gtest.h>

namespace tolmin {
namespace {

Monitor named(std::optional<std::string> name, bool primary) {
    Monitor monitor;
    monitor.name = std::move(name);
    monitor.primary = primary;
    return monitor;
}

TEST(SelectMonitor, NameThenPrimaryThenFirst) {
    const std::string one = "\\\\.\\DISPLAY1";
    const std::string two = "\\\\.\\DISPLAY2";
    const struct {
        const char* name;
        std::vector<Monitor> monitors;
        std::optional<std::string> requested;
        std::optional<std::size_t> expected;
    } cases[] = {
        {"empty list", {}, std::nullopt, std::nullopt},
        {"empty list, a name", {}, one, std::nullopt},
        {"second primary", {named(one, false), named(two, true)}, std::nullopt, 1},
        {"no primary", {named(one, false), named(two, false)}, std::nullopt, 0},
        {"name beats primary", {named(one, false), named(two, true)}, one, 0},
        {"letter case differs", {named(one, false), named(two, true)}, "\\\\.\\display1", 1},
        {"prefix only", {named(one, false), named(two, true)}, "\\\\.\\DISPLAY", 1},
        {"longer name", {named(one, false), named(two, true)}, one + "0", 1},
        {"empty name", {named(one, false), named(two, true)}, std::string(), 1},
        {"unknown name", {named(one, true), named(two, false)}, "\\\\.\\DISPLAY9", 0},
        {"first of two equal names", {named(two, false), named(one, false), named(two, true)}, two, 0},
        {"first of two primaries", {named(one, false), named(two, true), named("x", true)}, std::nullopt, 1},
        {"unnamed monitors", {named(std::nullopt, false), named(two, false)}, two, 1},
        {"an empty name matches no unnamed monitor",
         {named(std::nullopt, false), named(two, true)},
         std::string(),
         1},
        {"name with a NUL inside",
         {named(std::string("A\0B", 3), false), named("A", true)},
         std::string("A\0B", 3),
         0},
    };
    for (const auto& c : cases) EXPECT_EQ(select_monitor(c.monitors, c.requested), c.expected) << c.name;
}

}  // namespace
}  // namespace tolmin
