// Shortcuts to the installed messenger on the desktop, in the Start menu and
// in its Programs folder, saved through the shell's link object.
#pragma once

#include <windows.h>

#include "core/string.h"

namespace brimel::install {

// The installed messenger: P + "Brimel\Brimel.exe".
String InstalledProgramPath(const String& programFilesDir);

// Saves a shell link at `linkPath` pointing at `targetPath` with
// `description`; nothing else is set. Needs COM on the calling thread. A
// link path that does not fit the platform's 260-unit file name fails with
// HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE) and saves nothing.
HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description);

// Makes the shortcut (kShortcutName) in the folder held by the Shell Folders value
// `folderValueName`, and gives its path in `linkPath` when asked. S_FALSE
// when that value cannot be read (no shortcut for that folder); otherwise
// the result of the save.
HRESULT CreateShortcut(const String& folderValueName, const String& programFilesDir,
                       String* linkPath = nullptr);

}  // namespace brimel::install
