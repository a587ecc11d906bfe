#include "core/win32/system_libraries.h"

#include "core/win32/owners.h"

namespace brimel {
namespace {

// Newer than the headers of the oldest Windows served, which declare neither
// the flag nor the two functions: their types are written out.
constexpr DWORD kSearchSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

void RestrictDllSearchToSystemFolder() {
    const Library kernel(LoadSystemLibrary("kernel32.dll"));
    if (const auto setDefault = kernel.Export<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories"))
        setDefault(kSearchSystemFolder);
    if (const auto setDirectory = kernel.Export<BOOL(WINAPI*)(LPCSTR)>("SetDllDirectoryA")) setDirectory("");
}

HMODULE LoadSystemLibrary(const char* fileName) {
    char path[MAX_PATH];
    const UINT folderLength = GetSystemDirectoryA(path, MAX_PATH);
    // Nothing written, or only the size the platform would have needed.
    if (folderLength == 0 || folderLength >= MAX_PATH) return nullptr;
    UINT used = folderLength;
    if (path[used - 1] != '\\') path[used++] = '\\';
    const int nameLength = lstrlenA(fileName);
    if (nameLength == 0 || used + nameLength >= MAX_PATH) return nullptr;
    lstrcpyA(path + used, fileName);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace brimel
