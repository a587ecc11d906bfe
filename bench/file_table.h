// The 45 files of an installation, in the order the installer writes them:
// where each goes and which payload record holds it. The limit program
// writes them from this copy of the installer's table; the byte-for-byte
// check after every run would show any difference between the two.
#pragma once

#include <cstdint>

namespace bench {

enum Folder { kWindows, kFirstSkin, kSecondSkin, kProduct };

struct FileEntry {
    Folder folder;
    const char* name;
    uint16_t record;
};

constexpr FileEntry kFiles[] = {
    {kWindows, "Uninstall Brimel.exe", 131},
    {kFirstSkin, "main.bmp", 228},
    {kFirstSkin, "left_panel.bmp", 226},
    {kFirstSkin, "skin.ini", 221},
    {kFirstSkin, "accept.bmp", 201},
    {kFirstSkin, "accept_decline.bmp", 202},
    {kFirstSkin, "bold.bmp", 200},
    {kFirstSkin, "italic.bmp", 210},
    {kFirstSkin, "underline.bmp", 219},
    {kFirstSkin, "font.bmp", 208},
    {kFirstSkin, "help.bmp", 209},
    {kFirstSkin, "close.bmp", 205},
    {kFirstSkin, "settings.bmp", 204},
    {kFirstSkin, "voice_video.bmp", 230},
    {kFirstSkin, "minimize.bmp", 211},
    {kFirstSkin, "find_friends.bmp", 207},
    {kFirstSkin, "import_friends.bmp", 231},
    {kFirstSkin, "my_profile.bmp", 212},
    {kFirstSkin, "send.bmp", 216},
    {kFirstSkin, "smiley.bmp", 218},
    {kFirstSkin, "decline.bmp", 206},
    {kFirstSkin, "action.bmp", 203},
    {kSecondSkin, "main.bmp", 229},
    {kSecondSkin, "left_panel.bmp", 227},
    {kSecondSkin, "skin.ini", 222},
    {kSecondSkin, "accept.bmp", 201},
    {kSecondSkin, "accept_decline.bmp", 225},
    {kSecondSkin, "bold.bmp", 200},
    {kSecondSkin, "italic.bmp", 210},
    {kSecondSkin, "underline.bmp", 219},
    {kSecondSkin, "font.bmp", 208},
    {kSecondSkin, "help.bmp", 209},
    {kSecondSkin, "close.bmp", 205},
    {kSecondSkin, "settings.bmp", 204},
    {kSecondSkin, "voice_video.bmp", 230},
    {kSecondSkin, "minimize.bmp", 211},
    {kSecondSkin, "find_friends.bmp", 207},
    {kSecondSkin, "import_friends.bmp", 231},
    {kSecondSkin, "my_profile.bmp", 212},
    {kSecondSkin, "send.bmp", 216},
    {kSecondSkin, "smiley.bmp", 218},
    {kSecondSkin, "decline.bmp", 206},
    {kSecondSkin, "action.bmp", 203},
    {kProduct, "Brimel.exe", 129},
    {kProduct, "BC.dll", 132},
};
constexpr int kFileCount = sizeof kFiles / sizeof kFiles[0];
static_assert(kFileCount == 45, "an installation writes 45 files");

// Folder paths under the Program Files folder P (ending in a backslash).
constexpr const char* kProductFolder = "Brimel";
constexpr const char* kSkinsFolder = "Brimel\\Skins";
constexpr const char* kFirstSkinFolder = "Brimel\\Skins\\Default - 800x600";
constexpr const char* kSecondSkinFolder = "Brimel\\Skins\\Default - 1024x768";

}  // namespace bench
