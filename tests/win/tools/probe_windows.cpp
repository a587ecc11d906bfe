// Test helper: reports the operating-system probe's answer together with the
// version the platform claims, so that a test can tell an emulated version
// from one that was not applied.
//   probe_windows.exe
// Exit code: bit 0 the probe's answer, bits 1-3 the platform id, bits 4-7
// the major version, bits 8-15 the minor version, bit 16 set when the
// service text is exactly " A " (Wine's Windows 98 Second Edition).
#include <windows.h>

#include <cstring>

#include "sys/environment_probes.h"

int main() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return -1;
    return (brimel::IsSupportedWindows() ? 1 : 0) | (version.dwPlatformId & 7) << 1 |
           (version.dwMajorVersion & 15) << 4 | (version.dwMinorVersion & 255) << 8 |
           (std::strcmp(version.szCSDVersion, " A ") == 0 ? 1 : 0) << 16;
}
