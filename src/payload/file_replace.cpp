#include "payload/file_replace.h"

#include "core/string.h"

namespace brimel {
namespace {

// Probes that an existing target could be rewritten in place, as opening it
// for writing would, and keeps its creation time for the new contents.
bool TargetIsWritable(const char* path, bool* exists, FILETIME* created) {
    const DWORD attributes = GetFileAttributesA(path);
    *exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!*exists) return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool gotTime = GetFileTime(file, created, nullptr, nullptr) != FALSE;
    CloseHandle(file);
    if (!gotTime) created->dwLowDateTime = created->dwHighDateTime = 0;
    return true;
}

// Writes the whole file; `opened` tells whether the file was opened (made),
// so that a caller removes only what it made.
bool WriteWhole(const char* path, DWORD disposition, const void* data, uint32_t size,
                const FILETIME* created, const FILETIME* lastWrite, bool* opened) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    *opened = file != INVALID_HANDLE_VALUE;
    if (!*opened) return false;
    DWORD written = 0;
    bool ok = size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
    const bool keepCreated = created && (created->dwLowDateTime || created->dwHighDateTime);
    if (ok && (keepCreated || lastWrite))
        SetFileTime(file, keepCreated ? created : nullptr, nullptr, lastWrite);
    ok = CloseHandle(file) && ok;
    return ok;
}

bool MoveOver(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
    // The Windows 95 family has no replacing move: delete, then move.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    return DeleteFileA(to) && MoveFileA(from, to);
}

}  // namespace

bool ReplaceFileContents(const char* path, const void* data, uint32_t size,
                         const FILETIME* lastWrite) {
    if (path == nullptr || *path == '\0') return false;
    bool exists = false;
    FILETIME created = {0, 0};
    if (!TargetIsWritable(path, &exists, &created)) return false;

    // A new file has nothing to lose: write it in place, and remove what a
    // failed write left.
    bool opened = false;
    if (!exists) {
        if (WriteWhole(path, CREATE_NEW, data, size, nullptr, lastWrite, &opened)) return true;
        if (opened) DeleteFileA(path);
        return false;
    }
    const String partial = String(path) + ".part";
    if (!WriteWhole(partial.c_str(), CREATE_ALWAYS, data, size, &created, lastWrite, &opened) ||
        !MoveOver(partial.c_str(), path)) {
        if (opened) DeleteFileA(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace brimel
