// Start-up probes of the system the installer runs on: the Windows version,
// the generation of the rich edit library, version texts of files and the
// Windows folder.
#pragma once

#include <string>

namespace brimel {

// Windows 98 Second Edition, Windows Me, or NT 4 and later (and platforms
// not known here).
bool IsSupportedWindows();

// False when the system's riched20.dll is of the 2.x generation; true when
// its product name says otherwise or cannot be read. False when the system
// folder is unknown.
bool IsRichEditCurrent();
// The same decision for the riched20.dll in `systemFolder` (false when the
// folder is empty).
bool IsRichEditCurrentIn(const std::string& systemFolder);

// The item `itemName` (for example "ProductName") of the file's version
// resource in its language-neutral translation, or the empty text.
std::string GetVersionInfoText(const std::string& filePath, const std::string& itemName);

// The Windows folder as the platform reports it, or the empty text.
std::string GetWindowsFolder();

// The system folder without a trailing backslash, and a file in it; empty
// when the folder cannot be read. DLLs are loaded by these full paths.
std::string SystemFolder();
std::string SystemFolderFile(const std::string& fileName);

}  // namespace brimel
