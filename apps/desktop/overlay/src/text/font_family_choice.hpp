#pragma once
// Which family a text format asks for when it wants the condensed face.
//
// Some DirectWrite implementations (Wine's among them) file the Barlow Condensed files, which carry only the
// legacy family name "Barlow Condensed" and a condensed width class, under the typographic family "Barlow"
// with condensed stretch. Asking for "Barlow Condensed" then finds nothing and every title falls back
// although the faces were loaded. When the collection has no "Barlow Condensed" but has condensed "Barlow"
// faces, the condensed texts ask for "Barlow" with condensed stretch instead; where "Barlow Condensed"
// resolves, nothing changes.

#include <string_view>

namespace tolmin {

inline constexpr std::string_view FAMILY_BARLOW = "Barlow";

// DirectWrite's stretch values: 1 ultra-condensed ... 3 condensed, 5 normal; 0 is undefined.
inline constexpr int STRETCH_CONDENSED = 3;
inline constexpr int STRETCH_NORMAL = 5;

// True for a face of stretch CONDENSED or narrower (not the undefined 0).
constexpr bool is_condensed_stretch(int stretch) {
    return stretch >= 1 && stretch <= STRETCH_CONDENSED;
}

// What the font collection answers about the condensed faces.
struct CondensedFaces {
    bool has_barlow_condensed = false;            // the family "Barlow Condensed" exists
    bool has_barlow_with_condensed_face = false;  // the family "Barlow" exists and has a condensed face
};

struct CondensedFamily {
    std::string_view family;  // the family name a text format asks for
    int stretch = STRETCH_NORMAL;
    bool present = false;  // the condensed faces are in the collection under one of the two names

    friend bool operator==(const CondensedFamily&, const CondensedFamily&) = default;
};

CondensedFamily choose_condensed_family(const CondensedFaces& faces);

}  // namespace tolmin
