#include "install/shell_folders.h"

#include "core/installed_file_table.h"
#include "core/text.h"
#include "sys/code_page.h"
#include "sys/registry.h"

namespace brimel::install {

bool ShellFolderFile(const String& valueName, const String& fileName, String* path) {
    const String folder = ReadRegistryString(kShellFoldersKey, valueName, kCurrentUser);
    if (folder == NotFoundText()) return false;
    *path = StripTrailingBackslashes(folder, IsSystemLeadByte) + "\\" + fileName;
    return true;
}

}  // namespace brimel::install
