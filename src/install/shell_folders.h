// The current user's shell folders (desktop, Start menu, Programs), found the
// way the installer always has: through the per-user "Shell Folders" key.
#pragma once

#include "core/string.h"

namespace brimel::install {

// Joins the folder held in the Shell Folders value `valueName` (the key is
// the core's kShellFoldersKey) with `fileName` by exactly one backslash,
// after dropping every backslash at the end of the folder. False, with `path` untouched, when the
// value cannot be read.
bool ShellFolderFile(const String& valueName, const String& fileName, String* path);

}  // namespace brimel::install
