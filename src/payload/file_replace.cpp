#include "payload/file_replace.h"

#include <string>

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

bool WriteWhole(const char* path, const void* data, uint32_t size, const FILETIME* created,
                const FILETIME* lastWrite) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
    const bool keepCreated = created && (created->dwLowDateTime || created->dwHighDateTime);
    if (ok && (keepCreated || lastWrite))
        SetFileTime(file, keepCreated ? created : nullptr, nullptr, lastWrite);
    ok = CloseHandle(file) && ok;
    return ok;
}

bool MoveOver(const char* from, const char* to, bool targetExists) {
    if (!targetExists) return MoveFileA(from, to) != FALSE;
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

    const std::string partial = std::string(path) + ".part";
    if (!WriteWhole(partial.c_str(), data, size, exists ? &created : nullptr, lastWrite) ||
        !MoveOver(partial.c_str(), path, exists)) {
        DeleteFileA(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace brimel
