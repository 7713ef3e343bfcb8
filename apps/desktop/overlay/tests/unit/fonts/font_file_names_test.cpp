#include "fonts/font_file_names.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tolmin {
namespace {

struct NameCase {
    std::u16string name;
    bool qualifies;
};

TEST(IsFontFileName, AcceptsTheTtfExtensionInAnyAsciiCase) {
    const NameCase cases[] = {
        {u"a.ttf", true},
        {u"B.TTF", true},
        {u"c.Ttf", true},
        {u"..ttf", true},  // the last dot is not the first character
        {u"face.v2.ttf", true},
        {u"\u00e9t\u00e9.ttf", true},
        {u".ttf", false},  // only dot first: no extension
        {u"ttf", false},
        {u"a.ttc", false},
        {u"a.otf", false},
        {u"a.ttf2", false},
        {u"a.tt", false},
        {u"a.ttf.", false},  // empty extension
        {u"a.ttf.bak", false},
        {u"a.ttf\u0301", false},  // a combining mark after the f
        {u"a.\u0442tf", false},   // Cyrillic te is not an ASCII letter
        {u"a.\uFF34TF", false},   // fullwidth T
        {u"a.t\xD800"
         u"f",
         false},  // an unpaired surrogate in the extension
        {u"", false},
        {u".", false},
        {u"..", false},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "name of " << c.name.size() << " units, first "
                                          << (c.name.empty() ? 0 : int(c.name[0])));
        EXPECT_EQ(is_font_file_name(c.name), c.qualifies);
    }
}

std::vector<std::u16string> sorted(std::vector<std::u16string> names) {
    std::sort(names.begin(), names.end(),
              [](const std::u16string& a, const std::u16string& b) { return font_name_less(a, b); });
    return names;
}

TEST(FontNameLess, SortsByteWiseCaseSensitive) {
    EXPECT_EQ(sorted({u"b.TTF", u"a.ttf"}), (std::vector<std::u16string>{u"a.ttf", u"b.TTF"}));
    EXPECT_EQ(sorted({u"a.ttf", u"Z.ttf", u"_.ttf", u"0.ttf"}),
              (std::vector<std::u16string>{u"0.ttf", u"Z.ttf", u"_.ttf", u"a.ttf"}));
    // A prefix sorts first.
    EXPECT_EQ(sorted({u"ab.ttf", u"a.ttf", u"a"}), (std::vector<std::u16string>{u"a", u"a.ttf", u"ab.ttf"}));
}

TEST(FontNameLess, OrdersBeyondTheBasicPlaneAsUtf8Bytes) {
    // In UTF-16 units U+1F600 (D83D DE00) would sort before U+E000 and U+FFFD; in UTF-8 bytes (F0 ...) it
    // sorts after them.
    const std::u16string emoji = u"\U0001F600.ttf";
    const std::u16string private_use = u"\uE000.ttf";
    const std::u16string replacement = u"\uFFFD.ttf";
    const std::u16string cjk = u"\u4E00.ttf";
    EXPECT_EQ(sorted({emoji, replacement, private_use, cjk}),
              (std::vector<std::u16string>{cjk, private_use, replacement, emoji}));
}

TEST(FontNameLess, PlacesAnUnpairedSurrogateByItsOwnValue) {
    const std::u16string lone_high = u"\xD83D.ttf";  // not followed by a low surrogate
    const std::u16string hangul_end = u"\uD7A3.ttf";
    const std::u16string private_use = u"\uE000.ttf";
    const std::u16string emoji = u"\U0001F600.ttf";
    EXPECT_EQ(sorted({emoji, private_use, lone_high, hangul_end}),
              (std::vector<std::u16string>{hangul_end, lone_high, private_use, emoji}));
}

TEST(FontNameLess, IsAStrictOrder) {
    const std::u16string names[] = {u"", u"a", u"a.ttf", u"A.ttf", u"\U0001F600", u"\xDC00", u"\uFFFF"};
    for (const auto& a : names) {
        EXPECT_FALSE(font_name_less(a, a));
        for (const auto& b : names) {
            if (a != b) {
                EXPECT_NE(font_name_less(a, b), font_name_less(b, a));
            }
        }
    }
}

}  // namespace
}  // namespace tolmin
