// Program B, the limit: carries the same records as the installer and, for
// each of the 45 files, inflates the record in one call and writes it with
// one write. No stamps, no safety, no checks beyond what it cannot do
// without. Whatever it costs is the floor the installer is measured against.
//   bench_limit.exe TARGET      (TARGET stands in for the Program Files folder)
#include <windows.h>
#include <zlib.h>

#include <cstdlib>

#include "command_line.h"
#include "core/installed_file_table.h"

namespace {

bool WriteRecord(uint16_t number, const char* path) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(number), "R");
    if (!found) return false;
    const unsigned char* record = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    if (!record) return false;
    DWORD stored, unpacked;
    CopyMemory(&stored, record, 4);
    CopyMemory(&unpacked, record + 4, 4);
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(unpacked));
    if (!buffer) return false;
    uLongf produced = unpacked;
    bool ok = uncompress(buffer, &produced, record + 16, stored - 16) == Z_OK && produced == unpacked;
    if (ok) {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ok = file != INVALID_HANDLE_VALUE && WriteFile(file, buffer, unpacked, &written, nullptr) &&
             written == unpacked;
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    std::free(buffer);
    return ok;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int) {
    // "idle": the same process without the work, for its memory floor;
    // "exit": nothing at all, for the cost of starting and ending a process.
    if (lstrcmpA(commandTail, "idle") == 0) return Sleep(500), 0;
    if (lstrcmpA(commandTail, "exit") == 0) return 0;
    char folderArgument[MAX_PATH];
    if (!bench::TargetFolderArgument(commandTail, folderArgument)) return 2;
    char windows[MAX_PATH];
    if (!GetWindowsDirectoryA(windows, MAX_PATH)) return 3;

    // The installer's own table: B writes exactly the files A writes.
    const brimel::String product = brimel::String(folderArgument) + brimel::kProductFolderName;
    using brimel::InstallFolder;
    const InstallFolder folders[] = {InstallFolder::Product, InstallFolder::Skins, InstallFolder::FirstSkin,
                                     InstallFolder::SecondSkin};
    for (InstallFolder folder : folders)
        CreateDirectoryA(brimel::InstalledFolderPath(windows, product, folder).c_str(), nullptr);

    for (const brimel::InstalledFile& file : brimel::kInstalledFiles) {
        if (!WriteRecord(file.record, brimel::InstalledFilePath(windows, product, file).c_str())) return 1;
    }
    return 0;
}
