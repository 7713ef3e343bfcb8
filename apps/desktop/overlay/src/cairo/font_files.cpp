#include "cairo/font_files.hpp"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "base/platform_error_text.hpp"
#include "text/font_file_names.hpp"
#include "text/text_style.hpp"
#include "text/unicode.hpp"

namespace tolmin::cairo {
namespace {

constexpr std::string_view EM_DASH = "\xE2\x80\x94";

// A path as text: whatever is not UTF-8 becomes U+FFFD.
std::string printable(const std::filesystem::path& path) {
    return repair_utf8(path.native());
}

std::string os_error(const std::error_code& error) {
    return os_error_text(error.message(), static_cast<std::uint32_t>(error.value()));
}

// The extension, after the last dot, must be valid UTF-8 before the overlay's rule can look at it.
bool qualifies(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || !is_valid_utf8(std::string_view(name).substr(dot + 1))) return false;
    return is_font_file_name(utf8_to_utf16(repair_utf8(name)));
}

int application_font_count(FcConfig* config) {
    const FcFontSet* set = FcConfigGetFonts(config, FcSetApplication);
    return set == nullptr ? 0 : set->nfont;
}

bool has_family(const FcFontSet* set, std::string_view family) {
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
        FcChar8* name = nullptr;
        for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &name) == FcResultMatch; ++n) {
            if (family == reinterpret_cast<const char*>(name)) return true;
        }
    }
    return false;
}

}  // namespace

void load_font_directory(const std::optional<std::filesystem::path>& directory, const Report& report) {
    if (!directory) return;
    std::error_code error;
    std::filesystem::directory_iterator entries(*directory, error);
    if (error) {
        report("cannot read " + printable(*directory) + ": " + os_error(error));
        return;
    }
    std::vector<std::string> names;
    // An entry that cannot be read ends the listing there.
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string name = entries->path().filename().native();
        if (qualifies(name)) names.push_back(std::move(name));
    }
    if (names.empty()) {
        report("no .ttf in " + printable(*directory) + " " + std::string(EM_DASH) +
               " drawing with fallbacks");
        return;
    }
    std::sort(names.begin(), names.end());  // byte order of the names

    FcConfig* config = FcConfigGetCurrent();
    if (config == nullptr) {
        report("cannot load the overlay's fonts: fontconfig has no configuration " + std::string(EM_DASH) +
               " drawing with fallbacks");
        return;
    }
    for (const std::string& name : names) {
        const std::filesystem::path path = *directory / name;
        const int before = application_font_count(config);
        const bool added = FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str()));
        if (!added || application_font_count(config) == before) {
            report(printable(path) + " is not a font: fontconfig finds no face in it");
        }
    }
}

bool faces_present() {
    const FcFontSet* set = FcConfigGetFonts(FcConfigGetCurrent(), FcSetApplication);
    return has_family(set, FAMILY_CONDENSED) && has_family(set, FAMILY_MONO);
}

}  // namespace tolmin::cairo
