#include "layout/probe_report.hpp"

#include <new>
#include <stdexcept>
#include <string_view>

#include "layout/scale.hpp"
#include "text/rapidjson_writer.hpp"

namespace tolmin {

namespace {

constexpr std::size_t INITIAL_CAPACITY = 128;

void write_monitor(CompactJsonWriter& json, const ProbeMonitor& monitor) {
    json.StartObject();
    json.Key("name");
    if (monitor.name) {
        write_json_string(json, *monitor.name);
    } else {
        json.Null();
    }
    json.Key("width");
    json.Int(monitor.width);
    json.Key("height");
    json.Int(monitor.height);
    json.Key("scale_factor");
    json.Int(monitor.scale_factor);
    json.Key("primary");
    json.Bool(monitor.primary);
    json.EndObject();
}

}  // namespace

ProbeReport make_probe_report(bool exclude_from_capture, const std::vector<Monitor>& monitors) {
    ProbeReport report;
    report.exclude_from_capture = exclude_from_capture;
    const std::optional<std::size_t> chosen = select_monitor(monitors, std::nullopt);
    report.monitors.reserve(monitors.size());
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Monitor& monitor = monitors[i];
        const double factor = monitor.dpi == 0 ? 1.0 : static_cast<double>(monitor.dpi) / 96.0;
        ProbeMonitor probe;
        probe.name = monitor.name;
        probe.width = saturate_round(static_cast<double>(monitor.width) / factor);
        probe.height = saturate_round(static_cast<double>(monitor.height) / factor);
        probe.scale_factor = saturate_round(factor);
        probe.primary = chosen == i;
        report.monitors.push_back(std::move(probe));
    }
    return report;
}

Result<std::string> write_probe_report(const ProbeReport& report) {
    try {
        std::string out;
        out.reserve(INITIAL_CAPACITY);
        JsonStringOutput output{&out};
        CompactJsonWriter json(output);
        json.StartObject();
        json.Key("backend");
        write_json_string(json, report.backend);
        json.Key("layer_shell");
        json.Bool(report.layer_shell);
        json.Key("exclude_from_capture");
        json.Bool(report.exclude_from_capture);
        json.Key("monitors");
        json.StartArray();
        for (const ProbeMonitor& monitor : report.monitors) write_monitor(json, monitor);
        json.EndArray();
        json.EndObject();
        return out;
    } catch (const std::bad_alloc&) {
        return Error{"not enough memory to write the report"};
    } catch (const std::length_error&) {
        return Error{"the report is too long to write"};
    }
}

}  // namespace tolmin
