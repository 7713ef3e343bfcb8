#pragma once
// The --fonts directory for Cairo and Pango: its .ttf files, listed and ordered by the overlay's rules,
// become fontconfig application fonts of this process; and the check that the overlay's two faces are among
// them.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace tolmin::cairo {

// Gets one diagnostic's text (without program prefix or line feed).
using Report = std::function<void(std::string_view)>;

// Every .ttf entry of `directory`, in byte order of the names, added to fontconfig's current configuration.
// Never fails: every problem is reported (a file that is not a font is reported and skipped). No directory:
// nothing is added and nothing reported. Call it before the first text is laid out.
void load_font_directory(const std::optional<std::filesystem::path>& directory, const Report& report);

// True when the application fonts hold both "Barlow Condensed" and "JetBrains Mono".
bool faces_present();

}  // namespace tolmin::cairo
