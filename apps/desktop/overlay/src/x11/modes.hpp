#pragma once
// The two mode runners of the X11 program, called by the Linux entry with the fonts directory.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/output.hpp"

namespace tolmin::x11 {

// Overlay mode: the window, the reader thread (which shares `err`) and the loop until standard input ends. 0
// or 1.
std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts,
                          const std::shared_ptr<Output>& err);

// Probe mode: one line of JSON on `out` describing the displays. 0 or 1.
std::uint32_t run_probe(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err);

}  // namespace tolmin::x11
