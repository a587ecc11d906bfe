// Program A: carries the benchmark's records and writes the installed file
// set with the installer's own WriteInstalledFileSet, then exits. Exit code
// 0 when every file was written.
//   bench_install.exe TARGET    (TARGET stands in for the Program Files folder;
//                                the uninstaller goes to the Windows folder)
#include <windows.h>

#include "command_line.h"
#include "install/installed_files.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int) {
    // "idle": the same process without the work, for its memory floor;
    // "exit": nothing at all, for the cost of starting and ending it.
    if (lstrcmpA(commandTail, "idle") == 0) return Sleep(500), 0;
    if (lstrcmpA(commandTail, "exit") == 0) return 0;
    char programFiles[MAX_PATH];
    if (!bench::TargetFolderArgument(commandTail, programFiles)) return 2;
    int desktopShortcutRemoved = 0;
    const brimel::install::InstallPaths paths = brimel::install::SystemInstallPaths(programFiles);
    return brimel::install::WriteInstalledFileSet(paths, &desktopShortcutRemoved) ? 0 : 1;
}
