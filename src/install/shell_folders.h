// The current user's shell folders (desktop, Start menu, Programs), found the
// way the installer always has: through the per-user "Shell Folders" key.
#pragma once

#include "core/string.h"

namespace brimel::install {

extern const char kShellFoldersKey[];

// The shell folder values the installer works with, in the order it visits them.
extern const char* const kShortcutFolderValues[3];

// Joins the folder held in the Shell Folders value `valueName` with
// `fileName` (which starts with its own backslash), after dropping every
// backslash at the end of the folder. False, with `path` untouched, when the
// value cannot be read.
bool ShellFolderFile(const String& valueName, const String& fileName, String* path);

}  // namespace brimel::install
