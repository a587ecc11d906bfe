#include "quit_request.h"

#include <windows.h>

#include "core/win32/owners.h"
#include "messenger_window.h"
#include "sys/messenger_quit.h"

namespace brimel::product {
namespace {

constexpr DWORD kQuitWaitMilliseconds = 10000;
constexpr DWORD kWindowPollMilliseconds = 100;

// Without a handle of the running copy's process, its window going is the
// sign that it ended.
bool WaitForWindowToGo(HWND window) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= kQuitWaitMilliseconds) return false;
        Sleep(kWindowPollMilliseconds);
    }
    return true;
}

}  // namespace

bool IsQuitRequest(const Array<String>& arguments) {
    const String request = QuitParameters(kQuitLetter);
    for (const String& argument : arguments)
        if (lstrcmpiA(argument.c_str(), request.c_str()) == 0) return true;
    return false;
}

bool AskRunningCopyToQuit() {
    HWND other = FindWindowA(kMessengerWindowClass, nullptr);
    if (other == nullptr) return true;
    DWORD processId = 0;
    GetWindowThreadProcessId(other, &processId);
    const KernelHandle process(processId != 0 ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr);
    PostMessageA(other, WM_CLOSE, 0, 0);
    if (!process) return WaitForWindowToGo(other);
    return WaitForSingleObject(process.Get(), kQuitWaitMilliseconds) == WAIT_OBJECT_0;
}

}  // namespace brimel::product
