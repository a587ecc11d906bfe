// Where the installer put Brimel Messenger on this computer, and whether
// anything of it is there.
#pragma once

#include "core/array.h"
#include "core/string.h"

namespace brimel::product {

struct Installation {
    String productFolder;     // <ProgramFilesDir>\Brimel
    String windowsFolder;
    Array<String> shortcuts;  // one per shell folder the registry names
    bool registered = false;  // the uninstall entry is there
};

enum class Found {
    NoProgramFiles,    // the Program Files folder is not in the registry
    FolderMissing,     // registered or with shortcuts, but no product folder
    NothingInstalled,  // no product folder, entry or shortcut
    Present,           // the product folder is there
};

// Reads the folders from the registry and looks at what is there.
Found LocateInstallation(Installation* installation);

}  // namespace brimel::product
