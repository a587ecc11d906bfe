#include "installation.h"

#include <windows.h>

#include "core/installed_file_table.h"
#include "core/win32/owners.h"
#include "sys/environment_probes.h"
#include "sys/files.h"
#include "sys/registry.h"

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
    const String programFiles = ReadRegistryString(kCurrentVersionKey, "ProgramFilesDir", kLocalMachine);
    if (!IsFoundText(programFiles)) return Found::NoProgramFiles;
    installation->productFolder = JoinPath(programFiles, kProductFolderName);
    installation->windowsFolder = GetWindowsFolder();
    bool shortcutThere = false;
    for (const char* value : kShellFolderValues) {
        const String folder = ReadRegistryString(kShellFoldersKey, value, kCurrentUser);
        // No such shell folder: the installer made no shortcut there either.
        if (!IsFoundText(folder)) continue;
        installation->shortcuts.push_back(JoinPath(folder, kShortcutName));
        shortcutThere = shortcutThere || IsExistingFile(installation->shortcuts.back());
    }
    installation->registered = IsRegistered();
    if (IsExistingFolder(installation->productFolder)) return Found::Present;
    return installation->registered || shortcutThere ? Found::FolderMissing : Found::NothingInstalled;
}

}  // namespace brimel::product
