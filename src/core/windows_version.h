// Which operating systems the installer agrees to run on, decided from the
// fields of the platform's version record.
#pragma once

#include <cstdint>
#include "core/string.h"

namespace brimel {

// Platform ids of the version record.
constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows = 1;  // Windows 95, 98 and Me
constexpr uint32_t kPlatformNt = 2;

// Windows 98 Second Edition or later in the 95 family, NT 4 or later in the
// NT family, and any platform not known here. Windows 98 Second Edition
// differs from the first edition only by its service text "A".
bool IsSupportedWindowsVersion(uint32_t platformId, uint32_t major, uint32_t minor,
                               const String& serviceText);

}  // namespace brimel
