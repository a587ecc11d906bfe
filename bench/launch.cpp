// Starts one program inside Wine and measures it from the Windows side, so
// that every program pays the same process start:
//   bench_launch time   COMMAND...          wall time from CreateProcess to exit
//   bench_launch memory COMMAND...          peak working set while it runs
//   bench_launch window TITLE COMMAND...    time until its window TITLE is
//                                           visible, and until it is painted
// COMMAND is passed to CreateProcess as written. Prints one line of numbers.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "core/win32/owners.h"

namespace {

// The command line after `count` arguments (program name included).
const char* SkipArguments(const char* line, int count) {
    for (int i = 0; i < count; ++i) {
        while (*line == ' ' || *line == '\t') ++line;
        bool quoted = false;
        while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
            if (*line == '"') quoted = !quoted;
            ++line;
        }
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

// The `index`-th argument, without quotes.
void Argument(const char* line, int index, char* out, size_t size) {
    const char* at = SkipArguments(line, index);
    size_t n = 0;
    bool quoted = false;
    for (; *at && (quoted || (*at != ' ' && *at != '\t')); ++at) {
        if (*at == '"') { quoted = !quoted; continue; }
        if (n + 1 < size) out[n++] = *at;
    }
    out[n] = '\0';
}

double Now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool Start(const char* command, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    char line[4096];
    lstrcpynA(line, command, sizeof line);
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process)) {
        std::fprintf(stderr, "cannot start: %s (error %lu)\n", command, GetLastError());
        return false;
    }
    return true;
}

DWORD ExitCode(HANDLE process) {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

int TimeRun(const char* command) {
    PROCESS_INFORMATION process;
    const double start = Now();
    if (!Start(command, &process)) return 2;
    WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = Now() - start;
    const DWORD code = ExitCode(process.hProcess);
    std::printf("%.3f %lu\n", elapsed, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// K32GetProcessMemoryInfo where kernel32 has it, psapi's otherwise; both
// looked up at run time, and neither DLL let go.
using MemoryInfoFunction = decltype(&GetProcessMemoryInfo);
MemoryInfoFunction FindMemoryInfo() {
    brimel::Library kernel(LoadLibraryA("kernel32.dll")), psapi(LoadLibraryA("psapi.dll"));
    auto found = kernel.Export<MemoryInfoFunction>("K32GetProcessMemoryInfo");
    if (!found) found = psapi.Export<MemoryInfoFunction>("GetProcessMemoryInfo");
    kernel.Release();
    psapi.Release();
    return found;
}

// The peak is sampled every millisecond while the program runs: the system
// forgets a process's counters once it has ended. Peaks only grow, so the
// last sample is the peak up to a millisecond before the end.
int MeasureMemory(const char* command) {
    MemoryInfoFunction memoryInfo = FindMemoryInfo();
    if (!memoryInfo) {
        std::fprintf(stderr, "no GetProcessMemoryInfo\n");
        return 2;
    }
    PROCESS_INFORMATION process;
    if (!Start(command, &process)) return 2;
    SIZE_T peakWorkingSet = 0, peakPagefile = 0;
    int samples = 0;
    for (;;) {
        const DWORD waited = WaitForSingleObject(process.hProcess, 1);
        PROCESS_MEMORY_COUNTERS counters;
        ZeroMemory(&counters, sizeof counters);
        counters.cb = sizeof counters;
        if (memoryInfo(process.hProcess, &counters, sizeof counters)) {
            ++samples;
            if (counters.PeakWorkingSetSize > peakWorkingSet) peakWorkingSet = counters.PeakWorkingSetSize;
            if (counters.PeakPagefileUsage > peakPagefile) peakPagefile = counters.PeakPagefileUsage;
        }
        if (waited != WAIT_TIMEOUT) break;
    }
    std::printf("%lu %lu %lu %d\n", static_cast<unsigned long>(peakWorkingSet),
                static_cast<unsigned long>(peakPagefile), ExitCode(process.hProcess), samples);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

struct WindowSearch {
    const char* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, search->title) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Visible: the program's top-level window of that title is shown. Painted:
// it is shown and has nothing left to paint, so the user sees the page.
int MeasureWindow(const char* title, const char* command) {
    PROCESS_INFORMATION process;
    const double start = Now();
    if (!Start(command, &process)) return 2;
    WindowSearch search = {title, process.dwProcessId, nullptr};
    double visible = -1, painted = -1;
    const double giveUp = start + 30000;
    while (Now() < giveUp && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        if (!search.found) {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found) visible = Now() - start;
        }
        if (search.found && !GetUpdateRect(search.found, nullptr, FALSE)) {
            painted = Now() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    std::printf("%.3f %.3f\n", visible, painted);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return visible < 0 ? 1 : 0;
}

}  // namespace

int main() {
    const char* line = GetCommandLineA();
    char mode[32];
    Argument(line, 1, mode, sizeof mode);
    if (std::strcmp(mode, "time") == 0) return TimeRun(SkipArguments(line, 2));
    if (std::strcmp(mode, "memory") == 0) return MeasureMemory(SkipArguments(line, 2));
    if (std::strcmp(mode, "window") == 0) {
        char title[256];
        Argument(line, 2, title, sizeof title);
        return MeasureWindow(title, SkipArguments(line, 3));
    }
    std::fprintf(stderr, "usage: bench_launch time|memory|window [TITLE] COMMAND...\n");
    return 2;
}
