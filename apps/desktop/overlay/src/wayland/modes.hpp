#pragma once
// The Wayland side as the Linux entry sees it: a connection to the compositor, made first so that the entry
// can fall back to X11 when there is none or it offers no layer shell, and the two mode runners on it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/output.hpp"
#include "base/result.hpp"

namespace tolmin::wayland {

class Display;
struct DisplayCloser {
    void operator()(Display* display) const;
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The compositor WAYLAND_DISPLAY names, with a layer shell; else an error saying why not.
Result<DisplayPtr> connect();

// Overlay mode: the layer surface, the reader thread (which shares `err`) and the loop until standard input
// ends. 0 or 1.
std::uint32_t run_overlay(DisplayPtr display, const std::optional<std::filesystem::path>& fonts,
                          const std::shared_ptr<Output>& err);

// Probe mode: one line of JSON on `out` describing the outputs. 0 or 1.
std::uint32_t run_probe(DisplayPtr display, const std::optional<std::filesystem::path>& fonts, Output& out,
                        Output& err);

}  // namespace tolmin::wayland
