#include "windows/monitors.hpp"

#include <shellscalingapi.h>
#include <windows.h>

#include <new>
#include <string>

#include "layout/monitor_facts.hpp"

namespace tolmin::win {

namespace {

constexpr UINT DEFAULT_DPI = 96;
// The device name array, terminator and zero padding included.
constexpr std::size_t DEVICE_UNITS = sizeof(MONITORINFOEXW::szDevice) / sizeof(WCHAR);

BOOL CALLBACK collect_monitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
    auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(data);

    MONITORINFOEXW info{};
    info.cbSize = sizeof(MONITORINFOEXW);
    // One unreadable monitor is left out; the enumeration goes on.
    if (!GetMonitorInfoW(handle, &info)) return TRUE;

    UINT dpi_x = DEFAULT_DPI;
    UINT dpi_y = DEFAULT_DPI;
    if (FAILED(GetDpiForMonitor(handle, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y))) dpi_x = DEFAULT_DPI;

    char16_t device[DEVICE_UNITS];
    for (std::size_t i = 0; i < DEVICE_UNITS; ++i) device[i] = static_cast<char16_t>(info.szDevice[i]);

    MonitorFacts facts;
    facts.device = std::u16string_view(device, DEVICE_UNITS);
    facts.left = info.rcMonitor.left;
    facts.top = info.rcMonitor.top;
    facts.right = info.rcMonitor.right;
    facts.bottom = info.rcMonitor.bottom;
    facts.dpi = dpi_x;
    facts.flags = info.dwFlags;
    // Nothing may unwind through the system's enumeration: out of memory ends it with what was collected.
    try {
        monitors.push_back(monitor_from_facts(facts));
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<Monitor> enumerate_monitors() {
    std::vector<Monitor> monitors;
    // Whatever was collected counts, even if the enumeration as a whole reports a failure.
    (void)EnumDisplayMonitors(nullptr, nullptr, collect_monitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace tolmin::win
