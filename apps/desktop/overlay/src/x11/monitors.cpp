#include "x11/monitors.hpp"

#include <xcb/randr.h>
#include <xcb/xcb_xrm.h>

#include <optional>
#include <string>

#include "layout/desktop_monitors.hpp"

namespace tolmin::x11 {
namespace {

std::uint32_t read_dpi(const Connection& connection) {
    // From the RESOURCE_MANAGER property as it is now (what xrdb writes), never from files.
    xcb_xrm_database_t* database = xcb_xrm_database_from_resource_manager(
        connection.get(), const_cast<xcb_screen_t*>(&connection.screen()));
    if (database == nullptr) return DEFAULT_DPI;
    char* value = nullptr;
    std::optional<std::string> text;
    if (xcb_xrm_resource_get_string(database, "Xft.dpi", nullptr, &value) == 0 && value != nullptr)
        text = value;
    std::free(value);
    xcb_xrm_database_free(database);
    return dpi_from_setting(text);
}

std::vector<Monitor> screen_as_monitor(const Connection& connection, std::uint32_t dpi) {
    const xcb_screen_t& screen = connection.screen();
    return {monitor_from_desktop({std::nullopt, 0, 0, screen.width_in_pixels, screen.height_in_pixels, true},
                                 dpi)};
}

}  // namespace

MonitorSource::MonitorSource(const Connection& connection) : connection_(connection) {
    if (!connection.has(&xcb_randr_id)) return;
    xcb_connection_t* c = connection.get();
    Reply<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    if (!version) return;
    has_monitors_ =
        version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 5);
    first_event_ = xcb_get_extension_data(c, &xcb_randr_id)->first_event;
    (void)xcb_randr_select_input(c, connection.root(),
                                 XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                                     XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE);
}

std::vector<Monitor> MonitorSource::read() const {
    const std::uint32_t dpi = read_dpi(connection_);
    if (!has_monitors_) return screen_as_monitor(connection_, dpi);
    xcb_connection_t* c = connection_.get();
    Reply<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, connection_.root(), 1), nullptr));
    if (!reply) return screen_as_monitor(connection_, dpi);

    std::vector<const xcb_randr_monitor_info_t*> infos;
    std::vector<xcb_get_atom_name_cookie_t> names;  // asked all at once
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        infos.push_back(it.data);
        names.push_back(xcb_get_atom_name(c, it.data->name));
    }
    std::vector<Monitor> monitors;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        Reply<xcb_get_atom_name_reply_t> name(xcb_get_atom_name_reply(c, names[i], nullptr));
        DesktopMonitor desktop{std::nullopt,    infos[i]->x,      infos[i]->y,
                               infos[i]->width, infos[i]->height, infos[i]->primary != 0};
        if (name)
            desktop.name =
                std::string_view(xcb_get_atom_name_name(name.get()),
                                 static_cast<std::size_t>(xcb_get_atom_name_name_length(name.get())));
        monitors.push_back(monitor_from_desktop(desktop, dpi));
    }
    return monitors;
}

}  // namespace tolmin::x11
