#include "core/windows_version.h"

#include <gtest/gtest.h>

#include "string_printer.h"

namespace brimel {
namespace {

TEST(IsSupportedWindowsVersion, DecidesEveryRowOfTheTable) {
    const struct {
        uint32_t platform, major, minor;
        String service;
        bool supported;
        const char* what;
    } table[] = {
        {kPlatformWin32s, 3, 10, "", false, "Win32s"},
        {kPlatformWin32s, 5, 0, "A", false, "Win32s, whatever it reports"},
        {kPlatformWindows, 4, 0, "", false, "Windows 95"},
        {kPlatformWindows, 4, 0, " B", false, "Windows 95 OSR2"},
        {kPlatformWindows, 4, 0, "A", false, "Windows 95 with service text A"},
        {kPlatformWindows, 4, 9, "A", false, "minor 9"},
        {kPlatformWindows, 4, 10, "", false, "Windows 98 first edition"},
        {kPlatformWindows, 4, 10, "   ", false, "Windows 98, only blanks"},
        {kPlatformWindows, 4, 10, "A", true, "Windows 98 SE"},
        {kPlatformWindows, 4, 10, " A ", true, "Windows 98 SE, blanks around the A"},
        {kPlatformWindows, 4, 10, "\t\r\nA\v\f ", true, "Windows 98 SE, other white space"},
        {kPlatformWindows, 4, 10, "a", true, "Windows 98 SE, lower case"},
        {kPlatformWindows, 4, 10, "B", false, "Windows 98, service text B"},
        {kPlatformWindows, 4, 10, "AA", false, "Windows 98, service text AA"},
        {kPlatformWindows, 4, 10, "A B", false, "Windows 98, A followed by more"},
        {kPlatformWindows, 4, 10, "\xC1", false, "Windows 98, accented A"},
        {kPlatformWindows, 3, 10, "A", true, "the major version is not examined"},
        {kPlatformWindows, 4, 11, "", true, "minor 11"},
        {kPlatformWindows, 4, 90, " ", true, "Windows Me"},
        {kPlatformNt, 3, 51, "", false, "NT 3.51"},
        {kPlatformNt, 3, 99, "Service Pack 5", false, "NT 3.x with a service pack"},
        {kPlatformNt, 4, 0, "", true, "NT 4.0 without service pack"},
        {kPlatformNt, 4, 0, "Service Pack 6a", true, "NT 4.0 SP6a"},
        {kPlatformNt, 5, 0, "", true, "Windows 2000"},
        {kPlatformNt, 6, 1, "Service Pack 1", true, "Windows 7"},
        {kPlatformNt, 10, 0, "", true, "Windows 10"},
        {3, 0, 0, "", true, "Windows CE id"},
        {0xFFFFFFFFu, 0, 0, "", true, "any other id"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(IsSupportedWindowsVersion(row.platform, row.major, row.minor, row.service),
                  row.supported)
            << row.what;
    }
}

}  // namespace
}  // namespace brimel
