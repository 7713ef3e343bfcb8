#include "x11/overlay_window.hpp"

#include <xcb/shape.h>
#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <string>

#include "layout/window_steps.hpp"

namespace tolmin::x11 {
namespace {

// A TrueColor visual of depth 32 whose colour channels are the low three bytes: the alpha is the top byte,
// as in the premultiplied ARGB32 pictures the Cairo canvas draws.
std::optional<xcb_visualid_t> argb_visual(const xcb_screen_t& screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0; xcb_depth_next(&depths)) {
        if (depths.data->depth != 32) continue;
        for (auto v = xcb_depth_visuals_iterator(depths.data); v.rem > 0; xcb_visualtype_next(&v)) {
            const xcb_visualtype_t& visual = *v.data;
            if (visual._class == XCB_VISUAL_CLASS_TRUE_COLOR && visual.red_mask == 0xFF0000 &&
                visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF)
                return visual.visual_id;
        }
    }
    return std::nullopt;
}

void set_atoms(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, const xcb_atom_t* values,
               std::uint32_t count) {
    (void)xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32, count, values);
}

// What tools and compositors read: class, title, no input, a notification above everything on every desktop.
void describe(const Connection& connection, xcb_window_t window) {
    xcb_connection_t* c = connection.get();
    const std::string klass = std::string(WINDOW_CLASS) + '\0' + std::string(WINDOW_CLASS) + '\0';
    (void)xcb_icccm_set_wm_class(c, window, static_cast<std::uint32_t>(klass.size()), klass.data());
    (void)xcb_icccm_set_wm_name(c, window, XCB_ATOM_STRING, 8, WINDOW_TITLE.size(), WINDOW_TITLE.data());
    xcb_icccm_wm_hints_t hints{};
    xcb_icccm_wm_hints_set_input(&hints, 0);
    (void)xcb_icccm_set_wm_hints(c, window, &hints);

    const std::vector<xcb_atom_t> atoms =
        connection.atoms({"_NET_WM_NAME", "UTF8_STRING", "_NET_WM_WINDOW_TYPE",
                          "_NET_WM_WINDOW_TYPE_NOTIFICATION", "_NET_WM_STATE", "_NET_WM_STATE_ABOVE",
                          "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY"});
    (void)xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atoms[0], atoms[1], 8,
                              static_cast<std::uint32_t>(WINDOW_TITLE.size()), WINDOW_TITLE.data());
    set_atoms(c, window, atoms[2], &atoms[3], 1);
    set_atoms(c, window, atoms[4], &atoms[5], 4);
}

std::int16_t coordinate(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, INT16_MIN, INT16_MAX));
}

std::uint16_t extent(std::int32_t value) {
    return static_cast<std::uint16_t>(std::clamp<std::int32_t>(value, 1, UINT16_MAX));
}

}  // namespace

Result<std::unique_ptr<OverlayWindow>> OverlayWindow::create(const Connection& connection) {
    const std::optional<xcb_visualid_t> visual = argb_visual(connection.screen());
    if (!visual) return Error{"the X server offers no 32-bit visual with an alpha channel"};
    xcb_connection_t* c = connection.get();
    const xcb_colormap_t colormap = xcb_generate_id(c);
    (void)xcb_create_colormap(c, XCB_COLORMAP_ALLOC_NONE, colormap, connection.root(), *visual);
    const xcb_window_t window = xcb_generate_id(c);
    // In the order of the mask bits. A border pixel is needed with a visual other than the parent's.
    const std::uint32_t values[] = {0, 0, 1, XCB_EVENT_MASK_EXPOSURE, colormap};
    Reply<xcb_generic_error_t> error(xcb_request_check(
        c, xcb_create_window_checked(c, 32, window, connection.root(), 0, 0, 1, 1, 0,
                                     XCB_WINDOW_CLASS_INPUT_OUTPUT, *visual,
                                     XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT |
                                         XCB_CW_EVENT_MASK | XCB_CW_COLORMAP,
                                     values)));
    if (error) {
        (void)xcb_free_colormap(c, colormap);
        return Error{"the X server refused the window: " + x_error_text(*error)};
    }
    if (connection.lost()) return Error{"lost the connection to the X display " + connection.name()};
    std::unique_ptr<OverlayWindow> made(new OverlayWindow(connection, window, colormap));
    describe(connection, window);
    // No input region at all: clicks pass through to whatever is below.
    if (connection.has(&xcb_shape_id))
        (void)xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                                   window, 0, 0, 0, nullptr);
    return made;
}

OverlayWindow::~OverlayWindow() {
    if (connection_.lost()) return;
    (void)xcb_destroy_window(connection_.get(), window_);
    (void)xcb_free_colormap(connection_.get(), colormap_);
}

void OverlayWindow::place(const Placement& placement) {
    const PlaceSteps steps = place_steps(placement_, shown_, placement);
    xcb_connection_t* c = connection_.get();
    if (steps.move) {
        const std::uint32_t values[] = {static_cast<std::uint32_t>(coordinate(placement.x)),
                                        static_cast<std::uint32_t>(coordinate(placement.y)),
                                        extent(placement.width), extent(placement.height)};
        (void)xcb_configure_window(
            c, window_,
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
            values);
    }
    if (steps.show) (void)xcb_map_window(c, window_);
}

void OverlayWindow::hide() {
    if (hide_steps(placement_, shown_)) (void)xcb_unmap_window(connection_.get(), window_);
}

void OverlayWindow::raise() {
    if (!shown_) return;
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    (void)xcb_configure_window(connection_.get(), window_, XCB_CONFIG_WINDOW_STACK_MODE, &above);
}

}  // namespace tolmin::x11
