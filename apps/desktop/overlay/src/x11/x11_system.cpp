#include "x11/x11_system.hpp"

#include <xcb/randr.h>

namespace tolmin::x11 {

X11System::X11System(const Connection& connection, std::unique_ptr<OverlayWindow> window, Output& err)
    : connection_(connection),
      window_(std::move(window)),
      presenter_(connection, window_->id()),
      canvas_(presenter_),
      monitors_(connection),
      compositor_(connection),
      resource_manager_(connection.atoms({"RESOURCE_MANAGER"})[0]),
      err_(err) {
    // Other windows mapped or raised over the overlay, and xrdb changing the resources (Xft.dpi).
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    (void)xcb_change_window_attributes(connection.get(), connection.root(), XCB_CW_EVENT_MASK, &mask);
    if (!compositor_.running()) write_diagnostic(err_, NO_COMPOSITOR_TEXT);
    canvas_.set_cut(!compositor_.running());
}

desktop::DisplayEvents X11System::dispatch() {
    desktop::DisplayEvents events;
    while (Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection_.get())}) handle(*event, events);
    events.lost = connection_.lost();
    return events;
}

Result<void> X11System::draw(const std::function<Result<void>(Canvas&)>& paint) {
    Result<void> painted = paint(canvas_);
    canvas_.finish();
    return painted;
}

bool X11System::flush() {
    return xcb_flush(connection_.get()) > 0 && !connection_.lost();
}

std::string X11System::lost_text() const {
    return "lost the connection to the X display " + connection_.name();
}

void X11System::handle(const xcb_generic_event_t& event, desktop::DisplayEvents& events) {
    const std::uint8_t type = event.response_type & 0x7F;
    const xcb_window_t self = window_->id();
    if (type == 0) {
        // Requests that only adjust the window may fail without a word; a picture that was not put is a frame
        // that was not drawn.
        const auto& error = reinterpret_cast<const xcb_generic_error_t&>(event);
        if (presenter_.is_put_error(error))
            events.failures.push_back("cannot draw this frame: " + x_error_text(error));
    } else if (type == XCB_EXPOSE) {
        const auto& expose = reinterpret_cast<const xcb_expose_event_t&>(event);
        if (expose.window == self) (void)canvas_.show({expose.x, expose.y, expose.width, expose.height});
    } else if (type == XCB_MAP_NOTIFY) {
        if (reinterpret_cast<const xcb_map_notify_event_t&>(event).window != self) window_->raise();
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        // A managed window raised right above the overlay (another override-redirect window is left alone, so
        // that two overlays never take turns raising themselves).
        const auto& configure = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
        if (configure.window != self && configure.above_sibling == self && configure.override_redirect == 0)
            window_->raise();
    } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (property.window == connection_.root() && property.atom == resource_manager_)
            events.changed = true;
    } else if (monitors_.first_event() != 0 &&
               (type == monitors_.first_event() + XCB_RANDR_SCREEN_CHANGE_NOTIFY ||
                type == monitors_.first_event() + XCB_RANDR_NOTIFY)) {
        events.changed = true;
    } else if (const bool before = compositor_.running();
               compositor_.handle(event) && before != compositor_.running()) {
        if (!compositor_.running()) write_diagnostic(err_, NO_COMPOSITOR_TEXT);
        canvas_.set_cut(!compositor_.running());
        events.changed = true;  // painted again: cut to the picture, or whole again
    }
}

}  // namespace tolmin::x11
