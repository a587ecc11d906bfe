// The product's entry in the system's list of installed programs, and the
// removal of the "Brimel Chat" autostart value left by the predecessor.
#pragma once

#include "core/string.h"

namespace brimel::install {

extern const char kLegacyAutostartValue[];

// The version and the build number, three digits at least, as the build
// gives them: "<major>.<minor>, Build # 040" for build number 40.
String BuildText();

// The uninstaller in `windowsFolder`, joined with exactly one backslash.
String UninstallCommand(const String& windowsFolder);

// Writes the five values of the uninstall entry (per machine), each on its
// own; a failed write does not stop the others. True when all five were
// written.
bool RegisterUninstall(const String& windowsFolder);

// True when the per-user Run key `runKeyPath` holds a non-empty "Brimel
// Chat" value (a value reading as the not-found marker counts as absent).
bool HasLegacyAutostart(const String& runKeyPath);

// Deletes that value; true when it was deleted.
bool RemoveLegacyAutostart(const String& runKeyPath);

}  // namespace brimel::install
