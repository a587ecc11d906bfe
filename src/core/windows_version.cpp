#include "core/windows_version.h"

#include "core/text.h"

namespace brimel {

bool IsSupportedWindowsVersion(uint32_t platformId, uint32_t major, uint32_t minor,
                               const String& serviceText) {
    switch (platformId) {
    case kPlatformWin32s:
        return false;
    case kPlatformWindows:
        if (minor < 10) return false;  // Windows 95, any release
        if (minor > 10) return true;   // Windows Me
        {
            // A one-letter text equals "A" without regard to case only as
            // 'A' or 'a', in every code page.
            const String service = TrimText(serviceText);
            return service == "A" || service == "a";
        }
    case kPlatformNt:
        return major >= 4;
    default:
        return true;
    }
}

}  // namespace brimel
