// The texts the interactive uninstaller shows.
#pragma once

#include "core/string.h"

#include "removal.h"

namespace brimel::product {

extern const char kTitle[];
extern const char kUsage[];
extern const char kConfirmation[];
extern const char kNoProgramFilesText[];
extern const char kNotInstalledText[];
extern const char kMessengerRunningText[];

// The product folder is not where the registry says it is.
String FolderMissingText(const String& productFolder);

// What was removed, what could not be, and which folders stay for the
// user's files.
String ReportText(const RemovalOutcome& outcome);

}  // namespace brimel::product
