// Registry helpers for the Win32 tests, written straight against the
// platform's registry functions so that they do not share the installer's
// own registry code: read every value of a key, remove a key tree, and put
// values back as they were when a test ends.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "core/string.h"

namespace brimel::test {

struct RegistryValue {
    DWORD type = 0;
    std::vector<unsigned char> data;
    // The data as text, without the terminating zero (REG_SZ values).
    String Text() const;
};

// Every value of the key by name; empty when the key does not exist.
std::map<String, RegistryValue> RegistryValues(HKEY root, const String& key);
bool RegistryKeyExists(HKEY root, const String& key);
std::vector<String> RegistrySubkeys(HKEY root, const String& key);
bool SetRegistryText(HKEY root, const String& key, const String& name, const String& text);
void RemoveRegistryValue(HKEY root, const String& key, const String& name);
void RemoveRegistryTree(HKEY root, const String& key);

// Remembers one value (or its absence) and puts it back when it goes.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, String key, String name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

private:
    HKEY root_;
    String key_, name_;
    bool existed_ = false;
    RegistryValue value_;
};

extern const char kTestShellFoldersKey[];

// Points the user's Desktop, Start Menu and Programs shell folder values at
// folders of the same names under `base` (made here), and restores the
// original values afterwards.
class ShellFoldersForTest {
public:
    explicit ShellFoldersForTest(const String& base);
    // Points the three values at the test's folders again: the shell
    // writes its own folders back into the key when it looks them up.
    void PointAtTestFolders();
    String Folder(const String& valueName) const { return base_ + "\\" + valueName; }
    void Set(const String& valueName, const String& text);
    void Remove(const String& valueName);

private:
    String base_;
    std::vector<std::unique_ptr<SavedRegistryValue>> saved_;
};

}  // namespace brimel::test
