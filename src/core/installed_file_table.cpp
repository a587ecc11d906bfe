#include "core/installed_file_table.h"

namespace brimel {

// One row per line: the release build's checker reads this table too.
const InstalledFile kInstalledFiles[kInstalledFileCount] = {
    {InstallFolder::Windows, "Uninstall Brimel.exe", 131, 0, 0},
    // The 800x600 skin.
    {InstallFolder::FirstSkin, "main.bmp", 228, 650, 570},
    {InstallFolder::FirstSkin, "left_panel.bmp", 226, 301, 570},
    {InstallFolder::FirstSkin, "skin.ini", 221, 0, 0},
    {InstallFolder::FirstSkin, "accept.bmp", 201, 103, 20},
    {InstallFolder::FirstSkin, "accept_decline.bmp", 202, 425, 30},
    {InstallFolder::FirstSkin, "bold.bmp", 200, 31, 23},
    {InstallFolder::FirstSkin, "italic.bmp", 210, 31, 23},
    {InstallFolder::FirstSkin, "underline.bmp", 219, 31, 23},
    {InstallFolder::FirstSkin, "font.bmp", 208, 38, 23},
    {InstallFolder::FirstSkin, "help.bmp", 209, 43, 23},
    {InstallFolder::FirstSkin, "close.bmp", 205, 25, 17},
    {InstallFolder::FirstSkin, "settings.bmp", 204, 25, 17},
    {InstallFolder::FirstSkin, "voice_video.bmp", 230, 104, 20},
    {InstallFolder::FirstSkin, "minimize.bmp", 211, 25, 17},
    {InstallFolder::FirstSkin, "find_friends.bmp", 207, 106, 23},
    {InstallFolder::FirstSkin, "import_friends.bmp", 231, 103, 19},
    {InstallFolder::FirstSkin, "my_profile.bmp", 212, 103, 20},
    {InstallFolder::FirstSkin, "send.bmp", 216, 135, 27},
    {InstallFolder::FirstSkin, "smiley.bmp", 218, 31, 23},
    {InstallFolder::FirstSkin, "decline.bmp", 206, 103, 20},
    {InstallFolder::FirstSkin, "action.bmp", 203, 80, 20},
    // The 1024x768 skin: its own background, panel, settings and
    // accept_decline picture; every other file is shared with the first.
    {InstallFolder::SecondSkin, "main.bmp", 229, 716, 735},
    {InstallFolder::SecondSkin, "left_panel.bmp", 227, 301, 735},
    {InstallFolder::SecondSkin, "skin.ini", 222, 0, 0},
    {InstallFolder::SecondSkin, "accept.bmp", 201, 103, 20},
    {InstallFolder::SecondSkin, "accept_decline.bmp", 225, 491, 30},
    {InstallFolder::SecondSkin, "bold.bmp", 200, 31, 23},
    {InstallFolder::SecondSkin, "italic.bmp", 210, 31, 23},
    {InstallFolder::SecondSkin, "underline.bmp", 219, 31, 23},
    {InstallFolder::SecondSkin, "font.bmp", 208, 38, 23},
    {InstallFolder::SecondSkin, "help.bmp", 209, 43, 23},
    {InstallFolder::SecondSkin, "close.bmp", 205, 25, 17},
    {InstallFolder::SecondSkin, "settings.bmp", 204, 25, 17},
    {InstallFolder::SecondSkin, "voice_video.bmp", 230, 104, 20},
    {InstallFolder::SecondSkin, "minimize.bmp", 211, 25, 17},
    {InstallFolder::SecondSkin, "find_friends.bmp", 207, 106, 23},
    {InstallFolder::SecondSkin, "import_friends.bmp", 231, 103, 19},
    {InstallFolder::SecondSkin, "my_profile.bmp", 212, 103, 20},
    {InstallFolder::SecondSkin, "send.bmp", 216, 135, 27},
    {InstallFolder::SecondSkin, "smiley.bmp", 218, 31, 23},
    {InstallFolder::SecondSkin, "decline.bmp", 206, 103, 20},
    {InstallFolder::SecondSkin, "action.bmp", 203, 80, 20},
    // The program and its library come last: while an old copy is running
    // they cannot be replaced, and everything else is in place by then.
    {InstallFolder::Product, "Brimel.exe", 129, 0, 0},
    {InstallFolder::Product, "BC.dll", 132, 0, 0},
};

}  // namespace brimel
