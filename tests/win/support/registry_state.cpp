#include "support/registry_state.h"

#include <utility>

namespace brimel::test {

String RegistryValue::Text() const {
    String text(reinterpret_cast<const char*>(data.data()), data.size());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::map<String, RegistryValue> RegistryValues(HKEY root, const String& key) {
    std::map<String, RegistryValue> values;
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0, size = 0;
        if (RegEnumValueA(opened, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        RegistryValue value;
        value.type = type;
        value.data.resize(size);
        RegQueryValueExA(opened, name, nullptr, nullptr, size ? value.data.data() : nullptr, &size);
        value.data.resize(size);
        values[name] = std::move(value);
    }
    RegCloseKey(opened);
    return values;
}

bool RegistryKeyExists(HKEY root, const String& key) {
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::vector<String> RegistrySubkeys(HKEY root, const String& key) {
    std::vector<String> names;
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD index = 0; RegEnumKeyA(opened, index, name, sizeof name) == ERROR_SUCCESS; ++index)
        names.push_back(name);
    RegCloseKey(opened);
    return names;
}

bool SetRegistryText(HKEY root, const String& key, const String& name, const String& text) {
    HKEY opened;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

void RemoveRegistryValue(HKEY root, const String& key, const String& name) {
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_WRITE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, name.c_str());
    RegCloseKey(opened);
}

void RemoveRegistryTree(HKEY root, const String& key) {
    for (const String& child : RegistrySubkeys(root, key)) RemoveRegistryTree(root, key + "\\" + child);
    RegDeleteKeyA(root, key.c_str());
}

SavedRegistryValue::SavedRegistryValue(HKEY root, String key, String name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    auto values = RegistryValues(root_, key_);
    auto found = values.find(name_);
    existed_ = found != values.end();
    if (existed_) value_ = found->second;
}

SavedRegistryValue::~SavedRegistryValue() {
    if (!existed_) {
        RemoveRegistryValue(root_, key_, name_);
        return;
    }
    HKEY opened;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(opened, name_.c_str(), 0, value_.type, value_.data.empty() ? nullptr : value_.data.data(),
                   static_cast<DWORD>(value_.data.size()));
    RegCloseKey(opened);
}

const char kTestShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

ShellFoldersForTest::ShellFoldersForTest(const String& base) : base_(base) {
    CreateDirectoryA(base_.c_str(), nullptr);
    for (const char* value : {"Desktop", "Start Menu", "Programs"}) {
        saved_.push_back(std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, kTestShellFoldersKey, value));
        CreateDirectoryA(Folder(value).c_str(), nullptr);
    }
    PointAtTestFolders();
}

void ShellFoldersForTest::PointAtTestFolders() {
    for (const char* value : {"Desktop", "Start Menu", "Programs"}) Set(value, Folder(value));
}

void ShellFoldersForTest::Set(const String& valueName, const String& text) {
    SetRegistryText(HKEY_CURRENT_USER, kTestShellFoldersKey, valueName, text);
}

void ShellFoldersForTest::Remove(const String& valueName) {
    RemoveRegistryValue(HKEY_CURRENT_USER, kTestShellFoldersKey, valueName);
}

}  // namespace brimel::test
