// What-if for program A (informative, not the installer): the two changes
// that the benchmark's diagnosis points at, made at link time so that the
// installer's own WriteInstalledFileSet runs with them:
//  1. A target that does not exist yet is written in place: there is no old
//     contents to protect, so the partial file and the rename (the costliest
//     step per file under Wine) are only needed when replacing a file.
//  2. The registry's not-found marker does not reach for the application
//     object, and string-table texts are read with the kernel's resource
//     functions, so a program that only installs loads no user-interface
//     library (USER32 alone costs about 10 ms per process under Wine).
// These definitions take the place of the installer's own at link time.
#include <windows.h>

#include <string>

#include "app/setup_app.h"
#include "core/win32/resources.h"
#include "payload/file_replace.h"

namespace brimel {

SetupApp* CurrentSetupApp() { return nullptr; }

// A string table holds blocks of 16 counted UTF-16 texts; block n + 1 holds
// the texts 16n to 16n + 15.
std::string LoadResString(UINT id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));
    const WCHAR* text = found ? static_cast<const WCHAR*>(LockResource(LoadResource(nullptr, found))) : nullptr;
    if (!text) return {};
    for (UINT i = 0; i < id % 16; ++i) text += 1 + *text;
    const int length = *text++;
    if (length == 0) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

namespace {

bool WriteNew(const char* path, DWORD disposition, const void* data, uint32_t size, const FILETIME* created,
              const FILETIME* lastWrite) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
    if (ok && (created || lastWrite)) SetFileTime(file, created, nullptr, lastWrite);
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileA(path);
    return ok;
}

}  // namespace

bool ReplaceFileContents(const char* path, const void* data, uint32_t size, const FILETIME* lastWrite) {
    if (path == nullptr || *path == '\0') return false;
    const DWORD attributes = GetFileAttributesA(path);
    // Nothing there: write in place (CREATE_NEW, so a file that appeared
    // meanwhile is never truncated); a failure removes what was written.
    if (attributes == INVALID_FILE_ATTRIBUTES) return WriteNew(path, CREATE_NEW, data, size, nullptr, lastWrite);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    // Replacing: as the installer does, through a partial file and a move.
    HANDLE probe = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return false;
    FILETIME created = {0, 0};
    const bool gotTime = GetFileTime(probe, &created, nullptr, nullptr) != FALSE;
    CloseHandle(probe);
    const std::string partial = std::string(path) + ".part";
    if (!WriteNew(partial.c_str(), CREATE_ALWAYS, data, size, gotTime ? &created : nullptr, lastWrite)) return false;
    if (MoveFileExA(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && DeleteFileA(path) && MoveFileA(partial.c_str(), path))
        return true;
    DeleteFileA(partial.c_str());
    return false;
}

}  // namespace brimel
