#include "text/font_family_choice.hpp"

#include "text/text_style.hpp"

namespace tolmin {

CondensedFamily choose_condensed_family(const CondensedFaces& faces) {
    if (faces.has_barlow_condensed) return CondensedFamily{FAMILY_CONDENSED, STRETCH_NORMAL, true};
    if (faces.has_barlow_with_condensed_face) return CondensedFamily{FAMILY_BARLOW, STRETCH_CONDENSED, true};
    return CondensedFamily{FAMILY_CONDENSED, STRETCH_NORMAL, false};
}

}  // namespace tolmin
