#pragma once
// The connection to the X server: opened from DISPLAY, closed with its owner, and the helpers every part of
// the backend shares (replies owned like any other memory, atoms by name, error texts).

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"

namespace tolmin::x11 {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
// A reply or an error as XCB hands it over: malloc'd, the caller frees it.
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

class Connection {
public:
    // DISPLAY unset, or a server that cannot be reached: an error saying which.
    static Result<std::unique_ptr<Connection>> open();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    const xcb_screen_t& screen() const { return *screen_; }
    xcb_window_t root() const { return screen_->root; }
    int screen_number() const { return screen_number_; }
    // The display's name as DISPLAY gives it, for messages.
    const std::string& name() const { return name_; }
    // True once the connection has failed (the server went away): nothing more can be done with it.
    bool lost() const { return xcb_connection_has_error(connection_) != 0; }
    // Whether the server has the extension (asked once, then cached by XCB).
    bool has(xcb_extension_t* extension) const;
    // The atoms of the names, asked all at once; XCB_ATOM_NONE for any that could not be had.
    std::vector<xcb_atom_t> atoms(const std::vector<std::string_view>& names) const;

private:
    Connection(xcb_connection_t* connection, int screen_number, const xcb_screen_t* screen, std::string name)
        : connection_(connection), screen_number_(screen_number), screen_(screen), name_(std::move(name)) {}

    xcb_connection_t* connection_;
    int screen_number_;
    const xcb_screen_t* screen_;
    std::string name_;
};

// "BadAlloc (X error 11)": the error's name when it is one of the core protocol's, and its code.
std::string x_error_text(const xcb_generic_error_t& error);

}  // namespace tolmin::x11
