#pragma once
// The two mode runners of the Windows program, called by the entry with the fonts directory.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/output.hpp"

namespace tolmin::win {

// Overlay mode: the window, the reader thread and the message loop until standard input ends. 0 or 1.
// `err` is shared with the reader thread, which may outlive the call.
std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts, std::shared_ptr<Output> err);

// Probe mode: one line of JSON on `out` describing the displays. 0 or 1.
std::uint32_t run_probe(const std::optional<std::filesystem::path>& fonts, Output& out, Output& err);

}  // namespace tolmin::win
