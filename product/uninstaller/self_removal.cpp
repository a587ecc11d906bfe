#include "self_removal.h"

#include <windows.h>

#include <cstdlib>

#include "core/installed_file_table.h"
#include "core/text.h"
#include "core/win32/owners.h"
#include "core/win32/system_libraries.h"
#include "installation.h"
#include "removal.h"
#include "sys/files.h"
#include "sys/process_paths.h"

namespace brimel::product {
namespace {

constexpr DWORD kDeleteRetryMilliseconds = 5000;

bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

String ShortPath(const String& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? String(buffer, length) : String();
}

// Compares two paths of existing files, also in their short (8.3) forms.
bool SameFile(const String& a, const String& b) {
    if (a.empty() || b.empty()) return false;
    if (lstrcmpiA(a.c_str(), b.c_str()) == 0) return true;
    const String shortA = ShortPath(a), shortB = ShortPath(b);
    return !shortA.empty() && lstrcmpiA(shortA.c_str(), shortB.c_str()) == 0;
}

bool EndsWithUninstallerName(const String& path) {
    const String tail = String("\\") + kUninstallerFile.name;
    return path.size() > tail.size() && lstrcmpiA(path.c_str() + path.size() - tail.size(), tail.c_str()) == 0;
}

// Removal of a file at the next restart, the way each Windows family allows.
bool ScheduleRemovalAtRestart(const String& path) {
    if (path.empty()) return false;
    if (IsWindowsNT()) {
        const Library kernel(LoadSystemLibrary("kernel32.dll"));
        const auto moveFileEx = kernel.Export<decltype(&MoveFileExA)>("MoveFileExA");
        return moveFileEx != nullptr && moveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    const String shortPath = ShortPath(path);
    if (shortPath.empty()) return false;
    char pending[MAX_PATH];
    GetPrivateProfileStringA("rename", "NUL", "", pending, MAX_PATH, "wininit.ini");
    if (pending[0] != '\0' && lstrcmpiA(pending, shortPath.c_str()) != 0)
        return false;  // another program's pending NUL= line would be overwritten
    return WritePrivateProfileStringA("rename", "NUL", shortPath.c_str(), "wininit.ini") != FALSE;
}

// Starts a temporary copy of this program that deletes the original once
// this process has ended. False when the copy could not be started.
bool StartSelfRemoval(const String& self) {
    const String temp = TemporaryFolder();
    if (temp.empty()) return false;
    const String copy = JoinPath(temp, "BrimelUn" + HexText(GetCurrentProcessId()) + ".exe");
    if (!CopyFileA(self.c_str(), copy.c_str(), FALSE)) return false;
    HANDLE inheritable = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &inheritable, SYNCHRONIZE,
                         TRUE, 0)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    KernelHandle me(inheritable);
    String commandLine = "\"" + copy + "\" " + kCleanupSwitch + " " +
                         DecimalText(static_cast<int>(reinterpret_cast<ULONG_PTR>(me.Get()))) + " \"" + self + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, temp.c_str(), &startup,
                        &process)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    KernelHandle thread(process.hThread), child(process.hProcess);
    return true;
}

}  // namespace

const char kCleanupSwitch[] = "/_cleanup";

bool RemoveUninstaller(const String& installed) {
    const String self = OwnProgramPath();
    if (IsExistingFile(installed) && SameFile(self, installed))
        return StartSelfRemoval(self) || ScheduleRemovalAtRestart(self);
    return RemoveFile(installed);
}

int RunCleanup(const Array<String>& arguments) {
    if (arguments.size() != 2) return 0;
    // The uninstaller's process ends after its report: however long the
    // user takes to read it, its file is free only then.
    KernelHandle parent(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::strtoul(arguments[0].c_str(), nullptr, 10))));
    if (parent) WaitForSingleObject(parent.Get(), INFINITE);
    // The hidden switch must not become a way to delete arbitrary files.
    const String& target = arguments[1];
    if (EndsWithUninstallerName(target)) {
        const DWORD start = GetTickCount();
        while (!RemoveFile(target) && GetTickCount() - start < kDeleteRetryMilliseconds) Sleep(100);
    }
    ScheduleRemovalAtRestart(OwnProgramPath());
    return 0;
}

}  // namespace brimel::product
