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

bool IsRegistered() {
    RegistryKey key;
    return key.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ) == ERROR_SUCCESS;
}

}  // namespace

Found LocateInstallation(Installation* installation) {
    const String programFiles = ReadRegistryString(kCurrentVersionKey, "ProgramFilesDir", kLocalMachine);
    if (!IsFoundText(programFiles)) return Found::NoProgramFiles;
    installation->productFolder = JoinPath(programFiles, kProductFolderName);
    installation->windowsFolder = GetWindowsFolder();
    bool shortcutThere = false;
    for (const char* value : kShortcutFolderValues) {
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
