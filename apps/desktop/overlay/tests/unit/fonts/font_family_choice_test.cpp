#include "fonts/font_family_choice.hpp"

#include <gtest/gtest.h>

namespace tolmin {
namespace {

struct ChoiceCase {
    const char* name;
    CondensedFaces faces;
    CondensedFamily expected;
};

TEST(ChooseCondensedFamily, UsesBarlowWithCondensedStretchOnlyWhenTheCondensedNameIsMissing) {
    const ChoiceCase cases[] = {
        {"resolves by name", {true, false}, {"Barlow Condensed", STRETCH_NORMAL, true}},
        {"name wins over the grouping", {true, true}, {"Barlow Condensed", STRETCH_NORMAL, true}},
        {"grouped under Barlow", {false, true}, {"Barlow", STRETCH_CONDENSED, true}},
        {"missing", {false, false}, {"Barlow Condensed", STRETCH_NORMAL, false}},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CondensedFamily got = choose_condensed_family(c.faces);
        EXPECT_EQ(got.family, c.expected.family);
        EXPECT_EQ(got.stretch, c.expected.stretch);
        EXPECT_EQ(got.present, c.expected.present);
    }
}

TEST(IsCondensedStretch, CountsCondensedAndNarrowerButNotUndefined) {
    for (int stretch = 0; stretch <= 9; ++stretch) {
        SCOPED_TRACE(stretch);
        EXPECT_EQ(is_condensed_stretch(stretch), stretch >= 1 && stretch <= 3);
    }
}

}  // namespace
}  // namespace tolmin
