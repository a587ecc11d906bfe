#include "installation.h"

#include <windows.h>

#include "core/installed_file_table.h"
#include "core/win32/owners.h"
#include "system_paths.h"

namespace brimel::product {
namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

bool IsRegistered() {
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ) == ERROR_SUCCESS;
}

}  // namespace

Found LocateInstallation(Installation* installation) {
    String programFiles;
    if (!ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", &programFiles))
        return Found::NoProgramFiles;
    installation->productFolder = JoinPath(programFiles, kProductFolderName);
    installation->windowsFolder = WindowsFolder();
    bool shortcutThere = false;
    for (const char* value : kShortcutFolderValues) {
        String folder;
        // No such shell folder: the installer made no shortcut there either.
        if (!ReadRegistryText(HKEY_CURRENT_USER, kShellFoldersKey, value, &folder)) continue;
        installation->shortcuts.push_back(JoinPath(folder, kShortcutName));
        shortcutThere = shortcutThere || IsExistingFile(installation->shortcuts.back());
    }
    installation->registered = IsRegistered();
    if (IsExistingFolder(installation->productFolder)) return Found::Present;
    return installation->registered || shortcutThere ? Found::FolderMissing : Found::NothingInstalled;
}

}  // namespace brimel::product
