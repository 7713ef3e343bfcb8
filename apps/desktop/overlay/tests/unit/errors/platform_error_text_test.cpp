#include "errors/platform_error_text.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tolmin {
namespace {

TEST(HresultFromWin32, MapsCodesIntoTheWin32FacilityAndKeepsHresults) {
    const struct {
        std::uint32_t code, expected;
    } cases[] = {
        {0, 0},
        {2, 0x80070002u},        // ERROR_FILE_NOT_FOUND
        {267, 0x8007010Bu},      // ERROR_DIRECTORY
        {0x12345, 0x80072345u},  // only the low 16 bits are kept
        {0x7FFFFFFF, 0x8007FFFFu},
        {0x80004005u, 0x80004005u},  // already an HRESULT (E_FAIL)
        {0x88985000u, 0x88985000u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(hresult_from_win32(c.code), c.expected);
    }
}

TEST(PlatformErrorText, AddsTheCodeAsEightUppercaseHexDigits) {
    EXPECT_EQ(platform_error_text("Access is denied.", 0x80070005u), "Access is denied. (0x80070005)");
    EXPECT_EQ(platform_error_text("Unspecified error", 0x80004005u), "Unspecified error (0x80004005)");
    EXPECT_EQ(platform_error_text("x", 0xABCDEFu), "x (0x00ABCDEF)");
    // Without the system's text the code stands alone.
    EXPECT_EQ(platform_error_text("", 0x88985000u), "0x88985000");
    EXPECT_EQ(platform_error_text("", 0), "0x00000000");
}

TEST(OsErrorText, AppendsTheDecimalCode) {
    EXPECT_EQ(os_error_text("The directory name is invalid.", 267),
              "The directory name is invalid. (os error 267)");
    EXPECT_EQ(os_error_text("", 3), "os error 3");
    EXPECT_EQ(os_error_text("big", 4294967295u), "big (os error 4294967295)");
}

TEST(SystemMessageLine, MakesOneLineOfUtf8) {
    const struct {
        std::u16string message;
        std::string expected;
    } cases[] = {
        {u"Access is denied.\r\n", "Access is denied."},
        {u"Access is denied.", "Access is denied."},
        {u"No trailing break\r\n\r\n", "No trailing break"},
        {u"First line.\r\nSecond line.\r\n", "First line. Second line."},
        {u"Lone\nfeed and lone\rreturn", "Lone feed and lone return"},
        {u"Gap\r\n\r\nafter", "Gap after"},
        {u"\r\nLeading", " Leading"},
        {u"", ""},
        {u"\r\n", ""},
        {u"Caf\u00e9 \u2014 ok", "Caf\xC3\xA9 \xE2\x80\x94 ok"},
        {u"bad \xD800 unit", "bad \xEF\xBF\xBD unit"},
        {u"keeps %1 inserts", "keeps %1 inserts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(system_message_line(c.message), c.expected);
    }
}

}  // namespace
}  // namespace tolmin
