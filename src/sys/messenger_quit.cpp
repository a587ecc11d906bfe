#include "sys/messenger_quit.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "sys/files.h"

namespace brimel {
namespace {

constexpr DWORD kQuitWaitSeconds = 15;
constexpr DWORD kQuitPollMilliseconds = 200;

// A running messenger holds its program file: it cannot be opened for
// appending until the messenger has ended.
bool CanOpenForAppending(const String& path) {
    FILE* file = std::fopen(path.c_str(), "a+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

String QuitParameters(const String& letter) {
    String upper = letter;
    if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return "/" + letter + "." + upper;
}

bool StopRunningMessenger(const String& program, const String& letter) {
    // The open test would create a missing file.
    if (!IsExistingFile(program)) return true;
    // A read-only attribute would refuse the open as a running messenger does.
    ClearReadOnly(program);
    if (CanOpenForAppending(program)) return true;
    ShellExecuteA(nullptr, "open", program.c_str(), QuitParameters(letter).c_str(), nullptr, SW_SHOWNORMAL);
    const DWORD start = GetTickCount() / 1000;
    for (;;) {
        if (GetTickCount() / 1000 - start >= kQuitWaitSeconds) return false;
        if (CanOpenForAppending(program)) return true;
        Sleep(kQuitPollMilliseconds);
    }
}

}  // namespace brimel
