#include "x11/connection.hpp"

#include <array>
#include <cstdlib>

namespace tolmin::x11 {

Result<std::unique_ptr<Connection>> Connection::open() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return Error{"no X display to draw on (DISPLAY is not set)"};
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(display, &screen_number);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return Error{"cannot open the X display " + std::string(display)};
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return Error{"the X display " + std::string(display) + " has no such screen"};
    }
    return std::unique_ptr<Connection>(new Connection(connection, screen_number, screens.data, display));
}

Connection::~Connection() {
    xcb_disconnect(connection_);
}

bool Connection::has(xcb_extension_t* extension) const {
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(connection_, extension);
    return data != nullptr && data->present != 0;
}

std::vector<xcb_atom_t> Connection::atoms(const std::vector<std::string_view>& names) const {
    std::vector<xcb_intern_atom_cookie_t> cookies;
    cookies.reserve(names.size());
    for (std::string_view name : names)
        cookies.push_back(
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data()));
    std::vector<xcb_atom_t> atoms;
    atoms.reserve(names.size());
    for (const xcb_intern_atom_cookie_t cookie : cookies) {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
        atoms.push_back(reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE});
    }
    return atoms;
}

std::string x_error_text(const xcb_generic_error_t& error) {
    static constexpr std::array<const char*, 18> NAMES = {
        nullptr,     "BadRequest", "BadValue",    "BadWindow",   "BadPixmap", "BadAtom",
        "BadCursor", "BadFont",    "BadMatch",    "BadDrawable", "BadAccess", "BadAlloc",
        "BadColor",  "BadGC",      "BadIDChoice", "BadName",     "BadLength", "BadImplementation"};
    std::string code = "X error " + std::to_string(error.error_code);
    if (error.error_code < NAMES.size() && NAMES[error.error_code] != nullptr)
        return std::string(NAMES[error.error_code]) + " (" + code + ")";
    return code;
}

}  // namespace tolmin::x11
