#include "display/probe_report.hpp"

#include <charconv>
#include <new>
#include <stdexcept>
#include <string_view>

#include "layout/scale.hpp"
#include "report/json_writer.hpp"

namespace tolmin {

namespace {

constexpr std::size_t INITIAL_CAPACITY = 128;

void append_int(std::string& out, std::int32_t value) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void append_bool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

void append_monitor(std::string& out, const ProbeMonitor& monitor) {
    out += "{\"name\":";
    if (monitor.name) {
        append_json_string(out, *monitor.name);
    } else {
        out += "null";
    }
    out += ",\"width\":";
    append_int(out, monitor.width);
    out += ",\"height\":";
    append_int(out, monitor.height);
    out += ",\"scale_factor\":";
    append_int(out, monitor.scale_factor);
    out += ",\"primary\":";
    append_bool(out, monitor.primary);
    out += '}';
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
        probe.scale_factor = monitor.dpi == 0 ? 1 : saturate_round(factor);
        probe.primary = chosen == i;
        report.monitors.push_back(std::move(probe));
    }
    return report;
}

Result<std::string> write_probe_report(const ProbeReport& report) {
    try {
        std::string out;
        out.reserve(INITIAL_CAPACITY);
        out += "{\"backend\":\"win32\",\"layer_shell\":false,\"exclude_from_capture\":";
        append_bool(out, report.exclude_from_capture);
        out += ",\"monitors\":[";
        for (std::size_t i = 0; i < report.monitors.size(); ++i) {
            if (i != 0) out += ',';
            append_monitor(out, report.monitors[i]);
        }
        out += "]}";
        return out;
    } catch (const std::bad_alloc&) {
        return Error{"not enough memory to write the report"};
    } catch (const std::length_error&) {
        return Error{"the report is too long to write"};
    }
}

}  // namespace tolmin
