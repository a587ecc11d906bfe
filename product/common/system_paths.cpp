#include "system_paths.h"

#include "core/array.h"
#include "core/text.h"
#include "core/win32/owners.h"
#include "sys/code_page.h"

namespace brimel::product {
namespace {

// Longest value read: a path, with room for the platform's terminating zero.
constexpr DWORD kValueLimit = 2 * MAX_PATH;

// The text a system function writes into a buffer of MAX_PATH characters;
// empty when it wrote nothing or needed more room.
template <class Fill>
String SystemText(Fill fill) {
    char buffer[MAX_PATH + 1];
    const DWORD length = fill(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? String(buffer, length) : String();
}

}  // namespace

String JoinPath(const String& folder, const String& name) {
    return brimel::JoinPath(folder, name, IsSystemLeadByte);
}

bool ReadRegistryText(HKEY root, const char* keyPath, const char* valueName, String* text) {
    RegistryKey key;
    if (key.Open(root, keyPath, KEY_READ) != ERROR_SUCCESS) return false;
    Array<char> data(kValueLimit + 1);
    DWORD type = 0;
    DWORD size = kValueLimit;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    String value = BoundedText(data.data(), size);
    if (type == REG_EXPAND_SZ) {
        Array<char> expanded(kValueLimit);
        const DWORD length = ExpandEnvironmentStringsA(value.c_str(), expanded.data(), kValueLimit);
        if (length == 0 || length > kValueLimit) return false;
        value = BoundedText(expanded.data(), length);
    }
    if (value.empty()) return false;
    *text = value;
    return true;
}

String OwnProgramPath() {
    return SystemText([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

String WindowsFolder() {
    return SystemText([](char* buffer, DWORD size) { return DWORD(GetWindowsDirectoryA(buffer, size)); });
}

String TemporaryFolder() {
    return SystemText([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

bool IsExistingFile(const String& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExistingFolder(const String& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace brimel::product
