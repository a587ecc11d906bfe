// Program A: carries the benchmark's records and writes the installed file
// set the way the installer does, then exits. Exit code 0 when every file
// was written.
//   bench_install.exe TARGET    (TARGET stands in for the Program Files folder)
#include <windows.h>

#include <string>

#include "command_line.h"
#include "file_table.h"
#include "payload/payload_records.h"

namespace {

bool ExistsAsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool EnsureFolder(const std::string& path) {
    return ExistsAsFolder(path) || CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

// Same sequence of folders and extractions as the installed file set, with
// every file going through the installer's own extraction.
bool WriteFileSet(const std::string& programFiles) {
    char windows[MAX_PATH];
    if (!GetWindowsDirectoryA(windows, MAX_PATH)) return false;
    auto folderOf = [&](bench::Folder folder) {
        switch (folder) {
            case bench::kWindows: return std::string(windows);
            case bench::kFirstSkin: return programFiles + bench::kFirstSkinFolder;
            case bench::kSecondSkin: return programFiles + bench::kSecondSkinFolder;
            case bench::kProduct: break;
        }
        return programFiles + bench::kProductFolder;
    };
    auto write = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const std::string path = folderOf(bench::kFiles[i].folder) + "\\" + bench::kFiles[i].name;
            if (!brimel::ExtractPayloadRecord(bench::kFiles[i].record, path.c_str())) return false;
        }
        return true;
    };
    return write(0, 1) && EnsureFolder(programFiles + bench::kProductFolder) &&
           EnsureFolder(programFiles + bench::kSkinsFolder) &&
           EnsureFolder(programFiles + bench::kFirstSkinFolder) && write(1, 22) &&
           EnsureFolder(programFiles + bench::kSecondSkinFolder) && write(22, 43) &&
           write(43, bench::kFileCount);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int) {
    // "idle": the same process without the work, for its memory floor.
    if (lstrcmpA(commandTail, "idle") == 0) return Sleep(500), 0;
    const std::string programFiles = bench::TargetFolderArgument(commandTail);
    if (programFiles.empty()) return 2;
    return WriteFileSet(programFiles) ? 0 : 1;
}
