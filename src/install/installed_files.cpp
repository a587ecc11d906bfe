#include "install/installed_files.h"

#include <windows.h>

#include "core/text.h"
#include "install/shell_folders.h"
#include "payload/payload_records.h"
#include "sys/code_page.h"
#include "sys/environment_probes.h"
#include "sys/files.h"
#include "sys/registry.h"

namespace brimel::install {

namespace {

// Table positions of the groups written between the folder steps.
constexpr int kFirstSkinBegin = 1, kSecondSkinBegin = 22, kProgramBegin = 43;

const char kLegacySettingsParent[] = "Software\\Brimel, Inc.";

String ProductFolder(const InstallPaths& paths) { return paths.programFilesDir + kProductFolderName; }

// Joined with exactly one backslash, as the uninstall entry names it.
String WindowsFolder(const InstallPaths& paths) {
    return StripTrailingBackslashes(paths.windowsFolder, IsSystemLeadByte);
}

String FolderPath(const InstallPaths& paths, InstallFolder folder) {
    return InstalledFolderPath(WindowsFolder(paths), ProductFolder(paths), folder);
}

// One level; the parent must exist.
bool EnsureFolder(const String& path) {
    return IsExistingFolder(path) || CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool WriteFiles(const InstallPaths& paths, int begin, int end) {
    for (int i = begin; i < end; ++i) {
        const String target = InstalledFilePath(WindowsFolder(paths), ProductFolder(paths), kInstalledFiles[i]);
        if (!ExtractPayloadRecord(kInstalledFiles[i].record, target.c_str())) return false;
    }
    return true;
}

// Deletes `fileName` from each of the user's shortcut folders. A deletion
// on the desktop is recorded in the flag (the shell is told about it
// later), for the legacy shortcuts even when there was none to delete.
void RemoveShortcuts(const char* fileName, bool onlyWhenPresent, int* desktopShortcutRemoved) {
    for (const char* value : kShortcutFolderValues) {
        String link;
        if (!ShellFolderFile(value, fileName, &link)) continue;
        if (onlyWhenPresent && !PathExists(link)) continue;
        // The desktop is the first of the folders.
        if (value == kShortcutFolderValues[0] && desktopShortcutRemoved) *desktopShortcutRemoved = 1;
        DeleteFileA(link.c_str());
    }
}

// A "Brimel Chat" folder in place of the product folder becomes the product
// folder, keeping the user's own files; its settings are copied over and
// its shortcuts go. None of this can fail the installation: what cannot be
// done is left as it is. True when the folder was moved.
bool TakeOverLegacyInstallation(const InstallPaths& paths, int* desktopShortcutRemoved) {
    const String productFolder = ProductFolder(paths);
    const String legacyFolder = paths.programFilesDir + "Brimel Chat";
    // A plain move: never a copy across volumes.
    if (MoveFileA(legacyFolder.c_str(), productFolder.c_str()))
        DeleteFileA((productFolder + "\\BrimelChat.exe").c_str());
    CopyRegistryTree(kLegacySettingsParent, "Brimel Chat", kLegacySettingsParent, "Brimel", kCurrentUser, 1);
    RemoveShortcuts("Brimel Chat.lnk", false, desktopShortcutRemoved);
    return IsExistingFolder(productFolder);
}

}  // namespace

InstallPaths SystemInstallPaths(const String& programFilesDir) {
    return InstallPaths{programFilesDir, GetWindowsFolder()};
}

bool WriteInstalledFileSet(const InstallPaths& paths, int* desktopShortcutRemoved) {
    // Without a Windows folder the uninstaller would land in the root of
    // the current drive, where the uninstall entry cannot find it.
    if (WindowsFolder(paths).empty()) return false;
    if (!WriteFiles(paths, 0, kFirstSkinBegin)) return false;

    // Once the product folder exists, a repeated call never takes over again.
    const String productFolder = ProductFolder(paths);
    if (!IsExistingFolder(productFolder)) {
        const bool tookOver = IsExistingFolder(paths.programFilesDir + "Brimel Chat") &&
                              TakeOverLegacyInstallation(paths, desktopShortcutRemoved);
        if (!tookOver && !EnsureFolder(productFolder)) return false;
    }
    if (!EnsureFolder(FolderPath(paths, InstallFolder::Skins))) return false;
    if (!EnsureFolder(FolderPath(paths, InstallFolder::FirstSkin))) return false;
    if (!WriteFiles(paths, kFirstSkinBegin, kSecondSkinBegin)) return false;
    if (!EnsureFolder(FolderPath(paths, InstallFolder::SecondSkin))) return false;
    if (!WriteFiles(paths, kSecondSkinBegin, kProgramBegin)) return false;

    // Shortcuts of an earlier installation of this product; the new ones
    // are made after the files are in place.
    RemoveShortcuts("Brimel.lnk", true, desktopShortcutRemoved);

    return WriteFiles(paths, kProgramBegin, kInstalledFileCount);
}

}  // namespace brimel::install
