#pragma once
// The private font collection made from the --fonts directory, and the check that the overlay's two faces are
// in it.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <dwrite_3.h>
#include <wrl/client.h>

#include <filesystem>
#include <optional>

#include "base/output.hpp"
#include "text/font_family_choice.hpp"

namespace tolmin::win {

using Microsoft::WRL::ComPtr;

struct Graphics;

// Every .ttf entry of `directory`, in byte order of the names, added to a font set and made into a
// collection. Never fails: every problem is reported on `err` and gives no collection (a file that is not a
// font is reported and skipped). No directory: no collection, no report.
ComPtr<IDWriteFontCollection1> load_font_directory(IDWriteFactory* dwrite,
                                                   const std::optional<std::filesystem::path>& directory,
                                                   Output& err);

// Which family the condensed texts ask for in `fonts` ("Barlow Condensed", or "Barlow" with condensed stretch
// where the implementation files the faces so). No collection: "Barlow Condensed", not present.
CondensedFamily condensed_family_in(IDWriteFontCollection1* fonts);

// True when the collection exists and holds both the condensed faces (under either name) and "JetBrains
// Mono".
bool faces_present(IDWriteFontCollection1* fonts);
bool faces_present(const Graphics& graphics);

}  // namespace tolmin::win
