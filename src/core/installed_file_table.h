// The installed file set: every file the installer writes and the
// uninstaller removes, where it goes and which payload record holds it.
#pragma once

#include <cstdint>

namespace brimel {

// Where an installed file goes: the Windows folder, one of the two skin
// folders, or the product folder.
enum class InstallFolder { Windows, FirstSkin, SecondSkin, Product };

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

// The product folder in Program Files, its skins folder and the two skins.
inline constexpr char kProductFolderName[] = "Brimel";
inline constexpr char kSkinsFolderName[] = "Skins";
inline constexpr char kFirstSkinFolderName[] = "Default - 800x600";
inline constexpr char kSecondSkinFolderName[] = "Default - 1024x768";

}  // namespace brimel
