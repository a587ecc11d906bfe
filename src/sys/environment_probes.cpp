#include "sys/environment_probes.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "core/text.h"
#include "core/windows_version.h"
#include "core/win32/owners.h"

namespace brimel {
namespace {

constexpr UINT kSystemFolderCapacity = 260;
constexpr UINT kWindowsFolderCapacity = 200;
constexpr size_t kSubBlockPathCapacity = 260;
constexpr DWORD kVersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize, "the version record is 148 bytes");

}  // namespace

bool IsSupportedWindows() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = kVersionRecordSize;
    // A record the platform refuses to fill stays zero: platform id 0, the
    // unsupported Win32s.
    if (!GetVersionExA(&version)) return false;
    return IsSupportedWindowsVersion(version.dwPlatformId, version.dwMajorVersion,
                                     version.dwMinorVersion,
                                     BoundedText(version.szCSDVersion, sizeof version.szCSDVersion));
}

std::string SystemFolder() {
    char folder[kSystemFolderCapacity];
    const UINT length = GetSystemDirectoryA(folder, kSystemFolderCapacity);
    // A length of the capacity or more is the size the platform would have
    // needed: nothing was written.
    if (length == 0 || length >= kSystemFolderCapacity) return std::string();
    return std::string(folder, length);
}

std::string SystemFolderFile(const std::string& fileName) {
    std::string path = SystemFolder();
    if (path.empty()) return path;
    if (path[path.size() - 1] != '\\') path += '\\';
    return path + fileName;
}

bool IsRichEditCurrent() { return IsRichEditCurrentIn(SystemFolder()); }

bool IsRichEditCurrentIn(const std::string& systemFolder) {
    if (systemFolder.empty()) return false;
    std::string path = systemFolder;
    if (path[path.size() - 1] != '\\') path += '\\';
    path += "riched20.dll";
    // The 2.x libraries name themselves "... 2.0"; a name that merely starts
    // with "2." is not taken for one.
    const size_t found = GetVersionInfoText(path, "ProductName").find("2.");
    return found == std::string::npos || found == 0;
}

std::string GetVersionInfoText(const std::string& filePath, const std::string& itemName) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(filePath.c_str(), &ignored);
    if (size == 0) return std::string();
    GlobalMemory memory(size);
    GlobalLockIn block(memory.Get());
    if (!block.Data() || !GetFileVersionInfoA(filePath.c_str(), 0, size, block.Data()))
        return std::string();

    void* table = nullptr;
    UINT tableSize = 0;
    if (!VerQueryValueA(block.Data(), "\\VarFileInfo\\Translation", &table, &tableSize) || !table)
        return std::string();
    const UINT entries = tableSize / 4;

    // Only language-neutral translations are read; the last one queried
    // decides. The text is copied out of the block before the block goes.
    std::string result;
    for (UINT i = 0; i < entries; ++i) {
        WORD language = 0, codePage = 0;
        std::memcpy(&language, static_cast<const char*>(table) + 4 * i, 2);
        std::memcpy(&codePage, static_cast<const char*>(table) + 4 * i + 2, 2);
        if (language != 0) continue;
        result.clear();
        char subBlock[kSubBlockPathCapacity];
        const int written = std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s",
                                          language, codePage, itemName.c_str());
        // An item name too long for the path is not looked up cut short.
        if (written < 0 || static_cast<size_t>(written) >= sizeof subBlock) continue;
        void* text = nullptr;
        UINT textLength = 0;
        if (VerQueryValueA(block.Data(), subBlock, &text, &textLength) && text)
            result = BoundedText(static_cast<const char*>(text), textLength);
    }
    return result;
}

std::string GetWindowsFolder() {
    char folder[kWindowsFolderCapacity];
    const UINT length = GetWindowsDirectoryA(folder, kWindowsFolderCapacity);
    // Nothing written, or only the size it would have needed.
    if (length == 0 || length >= kWindowsFolderCapacity) return std::string();
    return std::string(folder, length);
}

}  // namespace brimel
