#pragma once
// Writing the render command's files whole or not at all: each goes to a temporary name in its directory and
// is renamed into place once complete.

#include <filesystem>
#include <string_view>

#include "base/result.hpp"

namespace tolmin::frame_tool {

// Fails with the system's text when no file can be made in `directory`.
Result<void> check_writable(const std::filesystem::path& directory);

// Replaces `path` with `bytes`; on failure nothing is left behind under either name.
Result<void> write_whole_file(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tolmin::frame_tool
