#include "payload/file_replace.h"

#include <memory>
#include <new>

#include "core/string.h"
#include "core/win32/owners.h"

namespace brimel {
namespace {

// The attributes that rewriting a file in place leaves as they were. The
// archive mark is set as well, as writing to a file sets it.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// What is known of the target before anything is written.
struct Target {
    bool exists = false;
    DWORD attributes = 0;
    FILETIME created = {0, 0};
};

// Probes that an existing target could be rewritten in place, as opening it
// for writing would, and keeps its attributes and creation time for the new
// contents.
bool TargetIsWritable(const char* path, Target* target) {
    target->attributes = GetFileAttributesA(path);
    target->exists = target->attributes != INVALID_FILE_ATTRIBUTES;
    if (!target->exists) return true;
    if (target->attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    const KernelHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!GetFileTime(file.Get(), &target->created, nullptr, nullptr))
        target->created.dwLowDateTime = target->created.dwHighDateTime = 0;
    return true;
}

// Writes all `size` bytes at the file's position.
bool WriteAll(HANDLE file, const void* data, uint32_t size) {
    DWORD written = 0;
    return size == 0 || (WriteFile(file, data, size, &written, nullptr) && written == size);
}

// Writes `size` bytes at the start of an open file and ends the file there.
bool WriteFromStart(HANDLE file, const void* data, uint32_t size) {
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return false;
    return WriteAll(file, data, size) && SetEndOfFile(file) != FALSE;
}

// Writes the whole file; `opened` tells whether the file was opened (made),
// so that a caller removes only what it made.
bool WriteWhole(const char* path, DWORD disposition, const void* data, uint32_t size,
                const FILETIME* created, const FILETIME* lastWrite, bool* opened) {
    KernelHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    *opened = static_cast<bool>(file);
    if (!*opened) return false;
    const bool ok = WriteAll(file.Get(), data, size);
    const bool keepCreated = created && (created->dwLowDateTime || created->dwHighDateTime);
    if (ok && (keepCreated || lastWrite))
        SetFileTime(file.Get(), keepCreated ? created : nullptr, nullptr, lastWrite);
    // Closed here: a failed close fails the write.
    return CloseHandle(file.Release()) && ok;
}

// Rewrites an existing file through one handle, as an overwrite does. The
// old contents are read first and written back when the new ones cannot be
// written whole, so that a failure leaves the file as it was.
bool RewriteInPlace(const char* path, const void* data, uint32_t size, const FILETIME* lastWrite) {
    KernelHandle owner(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!owner) return false;
    HANDLE file = owner.Get();
    FILETIME oldWrite;
    const bool gotTime = GetFileTime(file, nullptr, nullptr, &oldWrite) != FALSE;
    DWORD high = 0;
    const DWORD oldSize = GetFileSize(file, &high);
    bool ok = gotTime && high == 0 && oldSize != INVALID_FILE_SIZE;
    std::unique_ptr<unsigned char[]> old;
    if (ok) old.reset(new (std::nothrow) unsigned char[oldSize ? oldSize : 1]);
    DWORD read = 0;
    ok = ok && old && (oldSize == 0 || (ReadFile(file, old.get(), oldSize, &read, nullptr) && read == oldSize));
    if (ok) {
        ok = WriteFromStart(file, data, size);
        if (ok && lastWrite) SetFileTime(file, nullptr, nullptr, lastWrite);
        if (!ok && WriteFromStart(file, old.get(), oldSize)) SetFileTime(file, nullptr, nullptr, &oldWrite);
    }
    return CloseHandle(owner.Release()) && ok;
}

// Removes a file made beside the target, whatever attributes it was given.
void RemovePartial(const char* path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
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
    Target target;
    if (!TargetIsWritable(path, &target)) return false;

    // A new file has nothing to lose: write it in place, and remove what a
    // failed write left.
    bool opened = false;
    if (!target.exists) {
        if (WriteWhole(path, CREATE_NEW, data, size, nullptr, lastWrite, &opened)) return true;
        if (opened) DeleteFileA(path);
        return false;
    }
    const String partial = String(path) + ".part";
    // A copy left by an interrupted replacement may be hidden, and a hidden
    // file refuses to be created anew with plain attributes.
    SetFileAttributesA(partial.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!WriteWhole(partial.c_str(), CREATE_ALWAYS, data, size, &target.created, lastWrite, &opened)) {
        if (opened) DeleteFileA(partial.c_str());
        return false;
    }
    // The new file takes the old one's attributes (a hidden file stays
    // hidden) before it takes its place.
    SetFileAttributesA(partial.c_str(), (target.attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    if (MoveOver(partial.c_str(), path)) return true;
    const DWORD refused = GetLastError();
    // Where the old file was deleted but the move failed (the delete-then-move
    // of the Windows 95 family), the new contents beside it are all there is.
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
    RemovePartial(partial.c_str());
    // Another program holds the file open, sharing writing but not deletion,
    // or the folder lets the file be written but not replaced: an overwrite
    // still succeeds there. The complete copy beside it showed that the disk
    // has room for the new contents.
    if (refused == ERROR_SHARING_VIOLATION || refused == ERROR_ACCESS_DENIED)
        return RewriteInPlace(path, data, size, lastWrite);
    return false;
}

}  // namespace brimel
