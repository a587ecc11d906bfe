#include "sys/environment_probes.h"

#include <windows.h>

#include <cstring>

#include "core/text.h"
#include "sys/code_page.h"
#include "core/windows_version.h"
#include "core/win32/owners.h"
#include "core/win32/system_libraries.h"

namespace brimel {
namespace {

constexpr UINT kSystemFolderCapacity = 260;
constexpr UINT kWindowsFolderCapacity = 200;
constexpr size_t kSubBlockPathCapacity = 260;
constexpr DWORD kVersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize, "the version record is 148 bytes");

// The platform's version record; one it refuses to fill stays zero:
// platform id 0, the unsupported Win32s.
OSVERSIONINFOA ReadVersion() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = kVersionRecordSize;
    GetVersionExA(&version);
    return version;
}

}  // namespace

bool IsSupportedWindows() {
    const OSVERSIONINFOA version = ReadVersion();
    return IsSupportedWindowsVersion(version.dwPlatformId, version.dwMajorVersion,
                                     version.dwMinorVersion,
                                     BoundedText(version.szCSDVersion, sizeof version.szCSDVersion));
}

bool IsVistaOrLater() {
    const OSVERSIONINFOA version = ReadVersion();
    return version.dwPlatformId == kPlatformNt && version.dwMajorVersion >= 6;
}

String SystemFolder() {
    char folder[kSystemFolderCapacity];
    const UINT length = GetSystemDirectoryA(folder, kSystemFolderCapacity);
    // A length of the capacity or more is the size the platform would have
    // needed: nothing was written.
    if (length == 0 || length >= kSystemFolderCapacity) return String();
    return String(folder, length);
}

bool IsRichEditCurrent() { return IsRichEditCurrentIn(SystemFolder()); }

bool IsRichEditCurrentIn(const String& systemFolder) {
    if (systemFolder.empty()) return false;
    String path = systemFolder;
    if (!EndsWithBackslash(path, IsSystemLeadByte)) path += '\\';
    path += "riched20.dll";
    // The 2.x libraries name themselves "... 2.0"; a name that merely starts
    // with "2." is not taken for one.
    const size_t found = GetVersionInfoText(path, "ProductName").find("2.");
    return found == String::npos || found == 0;
}

String GetVersionInfoText(const String& filePath, const String& itemName) {
    // The version library is not among the DLLs that Windows always maps
    // from the system folder: it is loaded by its full path there.
    const Library versionLibrary(LoadSystemLibrary("version.dll"));
    const auto infoSize = versionLibrary.Export<decltype(&GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
    const auto info = versionLibrary.Export<decltype(&GetFileVersionInfoA)>("GetFileVersionInfoA");
    const auto query = versionLibrary.Export<decltype(&VerQueryValueA)>("VerQueryValueA");
    if (!infoSize || !info || !query) return String();

    DWORD ignored = 0;
    const DWORD size = infoSize(filePath.c_str(), &ignored);
    if (size == 0) return String();
    GlobalMemory memory(size);
    GlobalLockIn block(memory.Get());
    if (!block.Data() || !info(filePath.c_str(), 0, size, block.Data())) return String();

    void* table = nullptr;
    UINT tableSize = 0;
    if (!query(block.Data(), "\\VarFileInfo\\Translation", &table, &tableSize) || !table)
        return String();
    const UINT entries = tableSize / 4;

    // Only language-neutral translations are read; the last one queried
    // decides. The text is copied out of the block before the block goes.
    String result;
    for (UINT i = 0; i < entries; ++i) {
        WORD language = 0, codePage = 0;
        std::memcpy(&language, static_cast<const char*>(table) + 4 * i, 2);
        std::memcpy(&codePage, static_cast<const char*>(table) + 4 * i + 2, 2);
        if (language != 0) continue;
        result.clear();
        const String subBlock =
            "\\StringFileInfo\\" + HexText(language, 4) + HexText(codePage, 4) + "\\" + itemName;
        // An item name too long for the path is not looked up cut short.
        if (subBlock.size() >= kSubBlockPathCapacity) continue;
        void* text = nullptr;
        UINT textLength = 0;
        if (query(block.Data(), subBlock.c_str(), &text, &textLength) && text)
            result = BoundedText(static_cast<const char*>(text), textLength);
    }
    return result;
}

String GetWindowsFolder() {
    char folder[kWindowsFolderCapacity];
    const UINT length = GetWindowsDirectoryA(folder, kWindowsFolderCapacity);
    // Nothing written, or only the size it would have needed.
    if (length == 0 || length >= kWindowsFolderCapacity) return String();
    return String(folder, length);
}

}  // namespace brimel
