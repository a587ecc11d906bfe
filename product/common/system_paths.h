// Paths and registry texts of the computer the product's programs run on,
// read the way the installer reads them.
#pragma once

#include <windows.h>

#include "core/string.h"

namespace brimel::product {

// The folder and the name with exactly one backslash between them. Only
// whole characters of the system's code page count as the folder's trailing
// backslashes: in the double-byte code pages a name may end in a character
// whose second byte is a backslash, which stays.
String JoinPath(const String& folder, const String& name);

// A text value (REG_SZ, or REG_EXPAND_SZ with its variables expanded);
// false when it is missing, of another type or empty.
bool ReadRegistryText(HKEY root, const char* keyPath, const char* valueName, String* text);

// This program's own file, the Windows folder and the temporary folder;
// empty when the system cannot say.
String OwnProgramPath();
String WindowsFolder();
String TemporaryFolder();

bool IsExistingFile(const String& path);
bool IsExistingFolder(const String& path);

}  // namespace brimel::product
