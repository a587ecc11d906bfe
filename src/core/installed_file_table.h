// The installed product: every file the installer writes and the uninstaller
// removes, where it goes and which payload record holds it, and the names
// beside them (folders, shortcut, shell folder and uninstall entry). The data
// is src/core/installed_files.tsv and installed_names.tsv; the build makes
// the definitions from them (tools/installed_product.py).
#pragma once

#include <cstdint>

#include "core/string.h"

namespace brimel {

// Where an installed file goes: the Windows folder, one of the two skin
// folders, or the product folder. The skins folder holds only the skins.
enum class InstallFolder { Windows, FirstSkin, SecondSkin, Product, Skins };

struct InstalledFile {
    InstallFolder folder;
    const char* name;  // joined to the folder with one backslash
    uint16_t record;   // payload record with the file's bytes and time
    uint16_t width;    // a skin bitmap's size in pixels; 0 for other files
    uint16_t height;
};

// The 45 files, in the order they are written.
constexpr int kInstalledFileCount = 45;
extern const InstalledFile kInstalledFiles[kInstalledFileCount];

// The table's rows of the uninstaller (the Windows folder's one file) and of
// the messenger (the product folder's one program).
extern const InstalledFile& kUninstallerFile;
extern const InstalledFile& kMessengerFile;

// The product folder in Program Files, its skins folder and the two skins.
extern const char kProductFolderName[];
extern const char kSkinsFolderName[];
extern const char kFirstSkinFolderName[];
extern const char kSecondSkinFolderName[];

// The current user's "Shell Folders" key, its values that name the folders
// which get a shortcut (in the order they are visited) and the shortcut's
// file name.
extern const char kShellFoldersKey[];
extern const char* const kShortcutFolderValues[3];
extern const char kShortcutName[];

// The uninstall entry's key (per machine) and its values, in the order the
// installer writes them.
extern const char kUninstallKey[];
extern const char* const kUninstallValueNames[5];
enum class UninstallValue { DisplayName, DisplayVersion, Publisher, UninstallString, UrlInfoAbout };
inline const char* UninstallValueName(UninstallValue value) { return kUninstallValueNames[static_cast<int>(value)]; }

// The folder `folder` of an installation whose Windows folder and product
// folder are given, neither with a trailing backslash.
String InstalledFolderPath(const String& windowsFolder, const String& productFolder, InstallFolder folder);

// The full path of `file` in that installation.
String InstalledFilePath(const String& windowsFolder, const String& productFolder, const InstalledFile& file);

}  // namespace brimel
