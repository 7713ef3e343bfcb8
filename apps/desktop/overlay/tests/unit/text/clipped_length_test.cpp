#include <gtest/gtest.h>

#include <string>

#include "text/unicode.hpp"

namespace tolmin {
namespace {

struct ClipCase {
    const char* name;
    std::u16string text;
    std::size_t max_units;
    std::size_t expected;
};

TEST(ClippedUtf16Length, KeepsShortTextsAndNeverSplitsAPair) {
    const char16_t high = 0xD83D, low = 0xDE00;  // U+1F600
    const ClipCase cases[] = {
        {"shorter than the cap", u"abc", 4, 3},
        {"exactly the cap", u"abcd", 4, 4},
        {"cut plain text", u"abcdef", 4, 4},
        {"pair straddles the cut", std::u16string(u"abc") + high + low + u"z", 4, 3},
        {"pair ends at the cut", std::u16string(u"ab") + high + low + u"z", 4, 4},
        {"cap of zero", u"abc", 0, 0},
        {"lone low surrogate at the cut is kept", std::u16string(u"abc") + low + u"z", 4, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clipped_utf16_length(c.text.data(), c.text.size(), c.max_units), c.expected) << c.name;
    }
}

TEST(ClippedUtf16Length, CapsAHugeUnbrokenRun) {
    const std::u16string blob(600'000, u'W');
    EXPECT_EQ(clipped_utf16_length(blob.data(), blob.size(), MAX_LAID_OUT_UNITS), MAX_LAID_OUT_UNITS);
}

}  // namespace
}  // namespace tolmin
