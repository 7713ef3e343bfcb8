#include "windows/font_directory.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "text/font_file_names.hpp"
#include "text/text_style.hpp"
#include "windows/graphics.hpp"
#include "windows/platform_error.hpp"
#include "windows/wide_text.hpp"

namespace tolmin::win {
namespace {

constexpr std::string_view EM_DASH = "\xE2\x80\x94";

std::string printable(const std::filesystem::path& path) {
    return to_utf8(path.native());
}

std::u16string as_utf16(std::wstring_view wide) {
    return std::u16string(wide.begin(), wide.end());
}

struct Listing {
    std::vector<std::wstring> names;  // the entries' file names, in the order the system lists them
    DWORD error = ERROR_SUCCESS;      // the listing failed with this code
};

Listing list_directory(const std::filesystem::path& directory) {
    Listing listing;
    const std::filesystem::path pattern = directory / L"*";
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // An empty root directory has not even "." and ".." to list: it is empty, not unreadable.
        const DWORD attributes = GetFileAttributesW(directory.c_str());
        if (code == ERROR_FILE_NOT_FOUND && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return listing;
        }
        listing.error = code == ERROR_SUCCESS ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : code;
        return listing;
    }
    do {
        listing.names.emplace_back(entry.cFileName);
    } while (FindNextFileW(find, &entry));
    // Anything but ERROR_NO_MORE_FILES is an entry that cannot be read; the listing ends there rather than
    // asking again for the same failing entry.
    FindClose(find);
    return listing;
}

// The qualifying entries as full paths, in the order fonts are added.
std::vector<std::filesystem::path> font_candidates(const std::filesystem::path& directory,
                                                   std::vector<std::wstring> names) {
    std::erase_if(names, [](const std::wstring& name) { return !is_font_file_name(as_utf16(name)); });
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return font_name_less(as_utf16(a), as_utf16(b));
    });
    std::vector<std::filesystem::path> paths;
    paths.reserve(names.size());
    for (const std::wstring& name : names) paths.push_back(directory / name);
    return paths;
}

void report_cannot_load(Output& err, const Error& error) {
    write_diagnostic(err, "cannot load the overlay's fonts: " + error.text + " " + std::string(EM_DASH) +
                              " drawing with fallbacks");
}

// Builds the collection from the candidate files; a failure is reported and gives null.
ComPtr<IDWriteFontCollection1> collect_fonts(IDWriteFactory* dwrite,
                                             const std::vector<std::filesystem::path>& paths, Output& err) {
    ComPtr<IDWriteFactory5> factory;
    HRESULT hr = ComPtr<IDWriteFactory>(dwrite).As(&factory);
    if (FAILED(hr) || !factory) {
        report_cannot_load(err, creation_error(hr));
        return nullptr;
    }
    ComPtr<IDWriteFontSetBuilder1> builder;
    hr = factory->CreateFontSetBuilder(&builder);
    if (FAILED(hr) || !builder) {
        report_cannot_load(err, creation_error(hr));
        return nullptr;
    }

    for (const std::filesystem::path& path : paths) {
        ComPtr<IDWriteFontFile> file;
        hr = dwrite->CreateFontFileReference(path.c_str(), nullptr, &file);
        if (FAILED(hr) || !file) {
            report_cannot_load(err, creation_error(hr));
            return nullptr;
        }
        hr = builder->AddFontFile(file.Get());
        if (FAILED(hr)) write_diagnostic(err, printable(path) + " is not a font: " + hresult_error(hr).text);
    }

    ComPtr<IDWriteFontSet> set;
    hr = builder->CreateFontSet(&set);
    if (FAILED(hr) || !set) {
        report_cannot_load(err, creation_error(hr));
        return nullptr;
    }
    ComPtr<IDWriteFontCollection1> collection;
    hr = factory->CreateFontCollectionFromFontSet(set.Get(), &collection);
    if (FAILED(hr) || !collection) {
        report_cannot_load(err, creation_error(hr));
        return nullptr;
    }
    return collection;
}

std::optional<UINT32> family_index(IDWriteFontCollection1* fonts, std::string_view family) {
    const std::wstring name = to_wide(family);
    UINT32 index = 0;
    BOOL exists = FALSE;
    if (FAILED(fonts->FindFamilyName(name.c_str(), &index, &exists)) || !exists) return std::nullopt;
    return index;
}

// True when `family` exists in `fonts` and one of its faces is condensed or narrower.
bool has_condensed_face(IDWriteFontCollection1* fonts, std::string_view family_name) {
    const std::optional<UINT32> index = family_index(fonts, family_name);
    if (!index) return false;
    IDWriteFontCollection* base = fonts;
    ComPtr<IDWriteFontFamily> family;
    if (FAILED(base->GetFontFamily(*index, &family)) || !family) return false;
    const UINT32 count = family->GetFontCount();
    for (UINT32 i = 0; i < count; ++i) {
        ComPtr<IDWriteFont> font;
        if (FAILED(family->GetFont(i, &font)) || !font) continue;
        if (is_condensed_stretch(static_cast<int>(font->GetStretch()))) return true;
    }
    return false;
}

}  // namespace

ComPtr<IDWriteFontCollection1> load_font_directory(IDWriteFactory* dwrite,
                                                   const std::optional<std::filesystem::path>& directory,
                                                   Output& err) {
    if (!directory) return nullptr;
    Listing listing = list_directory(*directory);
    if (listing.error != ERROR_SUCCESS) {
        write_diagnostic(err, "cannot read " + printable(*directory) + ": " + os_error_text(listing.error));
        return nullptr;
    }
    const std::vector<std::filesystem::path> paths = font_candidates(*directory, std::move(listing.names));
    if (paths.empty()) {
        write_diagnostic(err, "no .ttf in " + printable(*directory) + " " + std::string(EM_DASH) +
                                  " drawing with fallbacks");
        return nullptr;
    }
    return collect_fonts(dwrite, paths, err);
}

CondensedFamily condensed_family_in(IDWriteFontCollection1* fonts) {
    CondensedFaces faces;
    if (fonts != nullptr) {
        faces.has_barlow_condensed = family_index(fonts, FAMILY_CONDENSED).has_value();
        if (!faces.has_barlow_condensed)
            faces.has_barlow_with_condensed_face = has_condensed_face(fonts, FAMILY_BARLOW);
    }
    return choose_condensed_family(faces);
}

bool faces_present(IDWriteFontCollection1* fonts) {
    if (fonts == nullptr) return false;
    return condensed_family_in(fonts).present && family_index(fonts, FAMILY_MONO).has_value();
}

bool faces_present(const Graphics& graphics) {
    return faces_present(graphics.fonts());
}

}  // namespace tolmin::win
