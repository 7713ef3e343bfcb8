#include "x11/compositor.hpp"

#include <xcb/xfixes.h>

#include <string>

namespace tolmin::x11 {

CompositorWatch::CompositorWatch(const Connection& connection) {
    xcb_connection_t* c = connection.get();
    selection_ = connection.atoms({"_NET_WM_CM_S" + std::to_string(connection.screen_number())})[0];
    if (connection.has(&xcb_xfixes_id)) {
        // XFixes answers nothing before its version is asked.
        Reply<xcb_xfixes_query_version_reply_t> version(
            xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 1, 0), nullptr));
        if (version) {
            first_event_ = xcb_get_extension_data(c, &xcb_xfixes_id)->first_event;
            (void)xcb_xfixes_select_selection_input(
                c, connection.root(), selection_,
                XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                    XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                    XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        }
    }
    Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection_), nullptr));
    running_ = owner && owner->owner != XCB_WINDOW_NONE;
}

bool CompositorWatch::handle(const xcb_generic_event_t& event) {
    if (first_event_ == 0 || (event.response_type & 0x7F) != first_event_ + XCB_XFIXES_SELECTION_NOTIFY)
        return false;
    const auto& notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(event);
    if (notify.selection != selection_) return false;
    running_ =
        notify.subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER && notify.owner != XCB_WINDOW_NONE;
    return true;
}

}  // namespace tolmin::x11
