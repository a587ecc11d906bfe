// Probes of the system the installer runs on: the Windows version,
// the generation of the rich edit library, version texts of files and the
// Windows folder.
#pragma once

#include "core/string.h"

namespace brimel {

// Windows 98 Second Edition, Windows Me, or NT 4 and later (and platforms
// not known here).
bool IsSupportedWindows();

// Windows Vista or later (NT 6 and up): the systems where an installer may
// run with rights the desktop's user does not have.
bool IsVistaOrLater();

// False when the system's riched20.dll is of the 2.x generation; true when
// its product name says otherwise or cannot be read. False when the system
// folder is unknown.
bool IsRichEditCurrent();
// The same decision for the riched20.dll in `systemFolder` (false when the
// folder is empty).
bool IsRichEditCurrentIn(const String& systemFolder);

// The item `itemName` (for example "ProductName") of the file's version
// resource in its language-neutral translation, or the empty text.
String GetVersionInfoText(const String& filePath, const String& itemName);

// The Windows folder as the platform reports it, or the empty text.
String GetWindowsFolder();

// The system folder without a trailing backslash; empty when it cannot be
// read.
String SystemFolder();

}  // namespace brimel
