#include "removal.h"

#include <windows.h>

#include "core/installed_file_table.h"
#include "core/win32/owners.h"
#include "installation.h"
#include "self_removal.h"
#include "sys/files.h"

namespace brimel::product {
namespace {


void RemoveFolderIfEmpty(const String& folder, RemovalOutcome* outcome) {
    if (IsExistingFolder(folder) && !RemoveDirectoryA(folder.c_str()) && IsExistingFolder(folder))
        outcome->kept.push_back(folder);
}

// Deletes the entry's five values, then the key unless something else has
// been stored in it since. False when the entry is still there.
bool RemoveUninstallEntry() {
    RegistryKey key;
    const LONG opened = key.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ | KEY_WRITE);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    for (const char* value : kUninstallValueNames) {
        const LONG deleted = RegDeleteValueA(key.Get(), value);
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return false;
    }
    DWORD subkeys = 1, values = 1;
    const bool empty = RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                        &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subkeys == 0 && values == 0;
    key.Reset();
    if (!empty) return true;  // someone else's values: theirs to keep
    // The key is deleted from its parent, the path up to its last backslash.
    const String path = kUninstallKey;
    const size_t name = path.rfind('\\');
    RegistryKey parent;
    return parent.Open(HKEY_LOCAL_MACHINE, path.substr(0, name).c_str(), KEY_WRITE) == ERROR_SUCCESS &&
           RegDeleteKeyA(parent.Get(), path.c_str() + name + 1) == ERROR_SUCCESS;
}

}  // namespace

bool RemoveFile(const String& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;
    // Our file, even when someone made it read-only.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (DeleteFileA(path.c_str())) return true;
    if (IsExistingFile(path)) {
        // Left as it was found.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) SetFileAttributesA(path.c_str(), attributes);
        return false;
    }
    return true;
}

RemovalOutcome CarryOut(const RemovalPlan& plan) {
    RemovalOutcome outcome;
    for (const String& file : plan.files)
        if (!RemoveFile(file)) outcome.failed.push_back(file);
    for (const String& folder : plan.folders) RemoveFolderIfEmpty(folder, &outcome);
    if (!outcome.Complete()) return outcome;
    if (!RemoveUninstallEntry()) {
        outcome.failed.push_back(String("HKEY_LOCAL_MACHINE\\") + kUninstallKey);
        return outcome;
    }
    if (!plan.uninstaller.empty() && !RemoveUninstaller(plan.uninstaller)) outcome.failed.push_back(plan.uninstaller);
    return outcome;
}

}  // namespace brimel::product
