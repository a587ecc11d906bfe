// Files and folders of the computer the programs run on: paths joined in the
// system's code page, existence tests and the read-only attribute.
#pragma once

#include "core/string.h"

namespace brimel {

// The folder and the name with exactly one backslash between them. Only
// whole characters of the system's code page count as the folder's trailing
// backslashes: in the double-byte code pages a name may end in a character
// whose second byte is a backslash, which stays.
String JoinPath(const String& folder, const String& name);

bool IsExistingFile(const String& path);
bool IsExistingFolder(const String& path);
// A file or a folder.
bool PathExists(const String& path);

// Clears the read-only attribute when it is set; the other attributes stay.
void ClearReadOnly(const String& path);

}  // namespace brimel
