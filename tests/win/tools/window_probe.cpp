// Test helper: reports what another program shows, as an accessibility tool
// would read it, one tab-separated line per window:
//   window_probe.exe
//     window <hwnd> <pid> <visible> <enabled> <x> <y> <w> <h> <cx> <cy> <cw> <ch> <class> <title>
//     for every top-level window of the desktop (its window rectangle, then
//     its client area's origin and size, all on the screen), then for each
//     visible one
//     control <parent-hwnd> <id> <visible> <enabled> <focused> <x> <y> <w> <h> <class> <text>
//   window_probe.exe processes
//     process <pid> <parent-pid> <exe>   for every process running
// Texts have tabs and line ends written as \t and \n. Exit status 0.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>

namespace {

void PrintEscaped(const char* text) {
    for (const char* c = text; *c; ++c) {
        if (*c == '\t') std::fputs("\\t", stdout);
        else if (*c == '\n') std::fputs("\\n", stdout);
        else if (*c != '\r') std::fputc(*c, stdout);
    }
}

// The window text as the system keeps it: for a window of another process
// GetWindowText sends nothing, so a program that is busy cannot stall this.
void PrintText(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    PrintEscaped(text);
}

HWND FocusOf(HWND top) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(top, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

BOOL CALLBACK PrintControl(HWND child, LPARAM top) {
    HWND parent = reinterpret_cast<HWND>(top);
    if (GetParent(child) != parent) return TRUE;
    RECT r;
    GetWindowRect(child, &r);
    char cls[128];
    GetClassNameA(child, cls, sizeof cls);
    std::printf("control\t%p\t%d\t%d\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%s\t", static_cast<void*>(parent),
                GetDlgCtrlID(child), IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0,
                FocusOf(parent) == child ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top, cls);
    PrintText(child);
    std::fputc('\n', stdout);
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r, client;
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    char cls[128];
    GetClassNameA(window, cls, sizeof cls);
    std::printf("window\t%p\t%lu\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%s\t",
                static_cast<void*>(window), pid, IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0,
                r.left, r.top, r.right - r.left, r.bottom - r.top, origin.x, origin.y, client.right, client.bottom,
                cls);
    PrintText(window);
    std::fputc('\n', stdout);
    if (IsWindowVisible(window)) EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
    return TRUE;
}

void PrintProcesses() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        std::printf("process\t%lu\t%lu\t%s\n", entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile);
    CloseHandle(snapshot);
}

}  // namespace

int main(int argc, char**) {
    if (argc > 1) PrintProcesses();
    else EnumWindows(PrintWindow, 0);
    std::fflush(stdout);
    return 0;
}
