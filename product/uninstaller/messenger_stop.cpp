#include "messenger_stop.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "system_paths.h"

namespace brimel::product {
namespace {

constexpr DWORD kQuitWaitSeconds = 15;
constexpr DWORD kQuitPollMilliseconds = 200;

// A running program's file cannot be opened for appending. A read-only
// attribute would refuse it too, so it is cleared first, as the installer does.
bool IsFree(const String& exe) {
    const DWORD attributes = GetFileAttributesA(exe.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(exe.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    FILE* file = std::fopen(exe.c_str(), "a+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

bool StopRunningMessenger(const String& exe) {
    if (!IsExistingFile(exe) || IsFree(exe)) return true;
    ShellExecuteA(nullptr, "open", exe.c_str(), "/u.U", nullptr, SW_SHOWNORMAL);
    // Whole seconds, as the installer counts them.
    const DWORD start = GetTickCount() / 1000;
    for (;;) {
        if (GetTickCount() / 1000 - start >= kQuitWaitSeconds) return false;
        if (IsFree(exe)) return true;
        Sleep(kQuitPollMilliseconds);
    }
}

}  // namespace brimel::product
