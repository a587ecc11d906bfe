#include "install/shell_folders.h"

#include "core/text.h"
#include "sys/code_page.h"
#include "sys/registry.h"

namespace brimel::install {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

const char* const kShortcutFolderValues[3] = {"Desktop", "Start Menu", "Programs"};

bool ShellFolderFile(const String& valueName, const String& fileName, String* path) {
    const String folder = ReadRegistryString(kShellFoldersKey, valueName, kCurrentUser);
    if (folder == NotFoundText()) return false;
    *path = StripTrailingBackslashes(folder, IsSystemLeadByte) + fileName;
    return true;
}

}  // namespace brimel::install
