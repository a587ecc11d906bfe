#include "installation.h"

#include <windows.h>

#include "core/installed_file_table.h"
#include "core/win32/owners.h"
#include "system_paths.h"

namespace brimel::product {
namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kShellFolderValues[] = {"Desktop", "Start Menu", "Programs"};
const char kShortcutName[] = "Brimel Messenger.lnk";

bool IsRegistered() {
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, (String(kUninstallParentKey) + "\\" + kUninstallKeyName).c_str(),
                    KEY_READ) == ERROR_SUCCESS;
}

}  // namespace

const char kUninstallParentKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallKeyName[] = "Brimel";
const char kUninstallerName[] = "Uninstall Brimel.exe";

Found LocateInstallation(Installation* installation) {
    String programFiles;
    if (!ReadRegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", &programFiles))
        return Found::NoProgramFiles;
    installation->productFolder = JoinPath(programFiles, kProductFolderName);
    installation->windowsFolder = WindowsFolder();
    bool shortcutThere = false;
    for (const char* value : kShellFolderValues) {
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
