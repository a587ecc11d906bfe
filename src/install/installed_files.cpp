#include "install/installed_files.h"

#include <windows.h>

#include "core/text.h"
#include "install/shell_folders.h"
#include "payload/payload_records.h"
#include "sys/code_page.h"
#include "sys/environment_probes.h"
#include "sys/registry.h"

namespace brimel::install {

const InstalledFile kInstalledFiles[kInstalledFileCount] = {
    {InstallFolder::Windows, "Uninstall Brimel.exe", 131},
    // The 800x600 skin.
    {InstallFolder::FirstSkin, "main.bmp", 228},
    {InstallFolder::FirstSkin, "left_panel.bmp", 226},
    {InstallFolder::FirstSkin, "skin.ini", 221},
    {InstallFolder::FirstSkin, "accept.bmp", 201},
    {InstallFolder::FirstSkin, "accept_decline.bmp", 202},
    {InstallFolder::FirstSkin, "bold.bmp", 200},
    {InstallFolder::FirstSkin, "italic.bmp", 210},
    {InstallFolder::FirstSkin, "underline.bmp", 219},
    {InstallFolder::FirstSkin, "font.bmp", 208},
    {InstallFolder::FirstSkin, "help.bmp", 209},
    {InstallFolder::FirstSkin, "close.bmp", 205},
    {InstallFolder::FirstSkin, "settings.bmp", 204},
    {InstallFolder::FirstSkin, "voice_video.bmp", 230},
    {InstallFolder::FirstSkin, "minimize.bmp", 211},
    {InstallFolder::FirstSkin, "find_friends.bmp", 207},
    {InstallFolder::FirstSkin, "import_friends.bmp", 231},
    {InstallFolder::FirstSkin, "my_profile.bmp", 212},
    {InstallFolder::FirstSkin, "send.bmp", 216},
    {InstallFolder::FirstSkin, "smiley.bmp", 218},
    {InstallFolder::FirstSkin, "decline.bmp", 206},
    {InstallFolder::FirstSkin, "action.bmp", 203},
    // The 1024x768 skin: its own background, panel, settings and
    // accept_decline picture; every other file is shared with the first.
    {InstallFolder::SecondSkin, "main.bmp", 229},
    {InstallFolder::SecondSkin, "left_panel.bmp", 227},
    {InstallFolder::SecondSkin, "skin.ini", 222},
    {InstallFolder::SecondSkin, "accept.bmp", 201},
    {InstallFolder::SecondSkin, "accept_decline.bmp", 225},
    {InstallFolder::SecondSkin, "bold.bmp", 200},
    {InstallFolder::SecondSkin, "italic.bmp", 210},
    {InstallFolder::SecondSkin, "underline.bmp", 219},
    {InstallFolder::SecondSkin, "font.bmp", 208},
    {InstallFolder::SecondSkin, "help.bmp", 209},
    {InstallFolder::SecondSkin, "close.bmp", 205},
    {InstallFolder::SecondSkin, "settings.bmp", 204},
    {InstallFolder::SecondSkin, "voice_video.bmp", 230},
    {InstallFolder::SecondSkin, "minimize.bmp", 211},
    {InstallFolder::SecondSkin, "find_friends.bmp", 207},
    {InstallFolder::SecondSkin, "import_friends.bmp", 231},
    {InstallFolder::SecondSkin, "my_profile.bmp", 212},
    {InstallFolder::SecondSkin, "send.bmp", 216},
    {InstallFolder::SecondSkin, "smiley.bmp", 218},
    {InstallFolder::SecondSkin, "decline.bmp", 206},
    {InstallFolder::SecondSkin, "action.bmp", 203},
    // The program and its library come last: while an old copy is running
    // they cannot be replaced, and everything else is in place by then.
    {InstallFolder::Product, "Brimel.exe", 129},
    {InstallFolder::Product, "BC.dll", 132},
};

namespace {

// Table positions of the groups written between the folder steps.
constexpr int kFirstSkinBegin = 1, kSecondSkinBegin = 22, kProgramBegin = 43;

const char kLegacySettingsParent[] = "Software\\Brimel, Inc.";

String ProductFolder(const InstallPaths& paths) { return paths.programFilesDir + "Brimel"; }
String SkinsFolder(const InstallPaths& paths) { return ProductFolder(paths) + "\\Skins"; }
String FirstSkinFolder(const InstallPaths& paths) { return SkinsFolder(paths) + "\\Default - 800x600"; }
String SecondSkinFolder(const InstallPaths& paths) { return SkinsFolder(paths) + "\\Default - 1024x768"; }

bool PathExists(const String& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A plain file of the same name does not count.
bool ExistsAsFolder(const String& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One level; the parent must exist.
bool EnsureFolder(const String& path) {
    return ExistsAsFolder(path) || CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool WriteFiles(const InstallPaths& paths, int begin, int end) {
    for (int i = begin; i < end; ++i) {
        const String target = InstalledFilePath(paths, kInstalledFiles[i]);
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
        if (String(value) == "Desktop" && desktopShortcutRemoved) *desktopShortcutRemoved = 1;
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
    RemoveShortcuts("\\Brimel Chat.lnk", false, desktopShortcutRemoved);
    return ExistsAsFolder(productFolder);
}

}  // namespace

InstallPaths SystemInstallPaths(const String& programFilesDir) {
    return InstallPaths{programFilesDir, GetWindowsFolder()};
}

String InstalledFilePath(const InstallPaths& paths, const InstalledFile& file) {
    switch (file.folder) {
        case InstallFolder::Windows:
            // Joined with exactly one backslash, as the uninstall entry names it.
            return StripTrailingBackslashes(paths.windowsFolder, IsSystemLeadByte) + "\\" + file.name;
        case InstallFolder::FirstSkin:
            return FirstSkinFolder(paths) + "\\" + file.name;
        case InstallFolder::SecondSkin:
            return SecondSkinFolder(paths) + "\\" + file.name;
        case InstallFolder::Product:
            break;
    }
    return ProductFolder(paths) + "\\" + file.name;
}

bool WriteInstalledFileSet(const InstallPaths& paths, int* desktopShortcutRemoved) {
    // Without a Windows folder the uninstaller would land in the root of
    // the current drive, where the uninstall entry cannot find it.
    if (StripTrailingBackslashes(paths.windowsFolder, IsSystemLeadByte).empty()) return false;
    if (!WriteFiles(paths, 0, kFirstSkinBegin)) return false;

    // Once the product folder exists, a repeated call never takes over again.
    const String productFolder = ProductFolder(paths);
    if (!ExistsAsFolder(productFolder)) {
        const bool tookOver = ExistsAsFolder(paths.programFilesDir + "Brimel Chat") &&
                              TakeOverLegacyInstallation(paths, desktopShortcutRemoved);
        if (!tookOver && !EnsureFolder(productFolder)) return false;
    }
    if (!EnsureFolder(SkinsFolder(paths))) return false;
    if (!EnsureFolder(FirstSkinFolder(paths))) return false;
    if (!WriteFiles(paths, kFirstSkinBegin, kSecondSkinBegin)) return false;
    if (!EnsureFolder(SecondSkinFolder(paths))) return false;
    if (!WriteFiles(paths, kSecondSkinBegin, kProgramBegin)) return false;

    // Shortcuts of an earlier installation of this product; the new ones
    // are made after the files are in place.
    RemoveShortcuts("\\Brimel.lnk", true, desktopShortcutRemoved);

    return WriteFiles(paths, kProgramBegin, kInstalledFileCount);
}

}  // namespace brimel::install
