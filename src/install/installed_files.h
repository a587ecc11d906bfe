// The product on disk: the uninstaller in the Windows folder, the product
// folder with both skins, the program and its library, and the take-over of
// a "Brimel Chat" installation found in its place.
#pragma once

#include "core/installed_file_table.h"
#include "core/string.h"

namespace brimel::install {

struct InstallPaths {
    String programFilesDir;  // P, ends in a backslash
    String windowsFolder;    // W, with or without a trailing backslash
};

// The Program Files folder given, with the system's Windows folder.
InstallPaths SystemInstallPaths(const String& programFilesDir);

// Writes the whole file set. True only when all 45 files were written; at
// the first file or folder that cannot be made it returns false and leaves
// what was done so far, so a later call simply starts again. Sets
// *desktopShortcutRemoved to 1 when a shortcut of an earlier installation
// was taken off the desktop (it is never cleared here).
bool WriteInstalledFileSet(const InstallPaths& paths, int* desktopShortcutRemoved);

}  // namespace brimel::install
