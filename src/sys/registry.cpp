#include "sys/registry.h"

#include <windows.h>

#include <cstring>

#include "core/text.h"
#include "core/win32/owners.h"

namespace brimel {
namespace {

// Longest string value read, in bytes, terminating zero included.
constexpr DWORD kReadLimit = 1000;
// Tree copy: name buffers hold 99 characters and the zero; value data up to
// 5000 bytes.
constexpr DWORD kNameLimit = 100;
constexpr DWORD kDataLimit = 5000;
constexpr int kDeepestLevel = 4;

HKEY RootKey(int root) { return root == kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

bool WriteValue(const String& keyPath, const String& valueName, DWORD type,
                const BYTE* data, DWORD size, int root) {
    // The empty name would address the key's default value.
    if (valueName.empty()) return false;
    RegistryKey key;
    if (key.Create(RootKey(root), keyPath.c_str()) != ERROR_SUCCESS) return false;
    static const BYTE kNoData = 0;
    return RegSetValueExA(key.Get(), valueName.c_str(), 0, type, data ? data : &kNoData, size) ==
           ERROR_SUCCESS;
}

}  // namespace

namespace {
String g_marker;
}

void SetNotFoundText(const String& text) { g_marker = text; }

const String& NotFoundText() { return g_marker; }

String ReadRegistryString(const String& keyPath, const String& valueName, int root) {
    RegistryKey key;
    if (key.Open(RootKey(root), keyPath.c_str(), KEY_READ) != ERROR_SUCCESS) return NotFoundText();
    // One byte more than the platform is allowed to fill: a value of exactly
    // the limit without a terminating zero is taken by its returned size and
    // never read past.
    char buffer[kReadLimit + 1];
    DWORD size = kReadLimit;
    DWORD type = REG_SZ;
    if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return NotFoundText();
    return BoundedText(buffer, size < kReadLimit ? size : kReadLimit);
}

bool WriteRegistryString(const String& keyPath, const String& valueName,
                         const String& data, int root) {
    return WriteValue(keyPath, valueName, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>(data.size() + 1), root);
}

bool WriteRegistryBinary(const String& keyPath, const String& valueName,
                         const Array<unsigned char>& data, int root) {
    return WriteValue(keyPath, valueName, REG_BINARY, data.empty() ? nullptr : data.data(),
                      static_cast<DWORD>(data.size()), root);
}

bool DeleteRegistryValue(const String& keyPath, const String& valueName, int root) {
    RegistryKey key;
    if (key.Open(RootKey(root), keyPath.c_str(), KEY_WRITE) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
}

void CopyRegistryTree(const String& sourceParent, const String& sourceKey,
                      const String& destinationParent, const String& destinationKey,
                      int root, int level) {
    if (sourceKey.empty() || level > kDeepestLevel) return;
    const String source = sourceParent + "\\" + sourceKey;
    const String destination = destinationParent + "\\" + destinationKey;
    RegistryKey key;
    if (key.Open(RootKey(root), source.c_str(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return;

    // Values first. A value whose name or data does not fit ends the copying
    // of this key's values, as does the end of the list.
    char name[kNameLimit];
    char data[kDataLimit];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = kNameLimit;
        DWORD dataSize = kDataLimit;
        DWORD type = 0;
        if (RegEnumValueA(key.Get(), index, name, &nameSize, nullptr, &type,
                          reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
            break;
        if (dataSize > kDataLimit) dataSize = kDataLimit;
        const String valueName(name, nameSize < kNameLimit ? nameSize : 0);
        if (type == REG_SZ) {
            // The text ends at the first zero within the returned bytes; a
            // value stored without one is not read past its end.
            WriteRegistryString(destination, valueName, BoundedText(data, dataSize), root);
        } else if (type == REG_BINARY) {
            WriteRegistryBinary(destination, valueName,
                                Array<unsigned char>(data, data + dataSize), root);
        }
    }

    // Then the subkeys, depth first; the source key stays open meanwhile.
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = kNameLimit;
        if (RegEnumKeyExA(key.Get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const String child(name, nameSize < kNameLimit ? nameSize : 0);
        if (sourceParent.empty() || child.empty()) continue;
        CopyRegistryTree(source, child, destination, child, root, level + 1);
    }
}

}  // namespace brimel
