#include "core/win32/system_libraries.h"

namespace brimel {
namespace {

// Newer than the headers of the oldest Windows served.
constexpr DWORD kSearchSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCSTR);

FARPROC KernelFunction(const char* name) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? GetProcAddress(kernel, name) : nullptr;
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
    const SetDefaultDllDirectoriesFn setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(KernelFunction("SetDefaultDllDirectories")));
    if (setDefault) setDefault(kSearchSystemFolder);
    const SetDllDirectoryFn setDirectory =
        reinterpret_cast<SetDllDirectoryFn>(reinterpret_cast<void*>(KernelFunction("SetDllDirectoryA")));
    if (setDirectory) setDirectory("");
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
