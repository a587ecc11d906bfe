// Where the programs take their DLLs from. The installer runs from a download
// folder and the uninstaller from the temporary folder, where anyone may have
// left a file named like a system DLL: no DLL is taken from the program's own
// folder or the current folder, only from the system folder.
//
// The programs import directly only the DLLs that every Windows maps from the
// system folder whatever lies beside the program (its known DLLs: kernel32,
// user32, gdi32, advapi32, shell32, ole32, oleaut32, msvcrt); every other one
// is loaded through LoadSystemLibrary.
#pragma once

#include <windows.h>

namespace brimel {

// The program's first call: from then on a DLL loaded by name, by the program
// or by a system DLL on its behalf, is looked for in the system folder only
// (SetDefaultDllDirectories, Windows 8, and 7 or Vista with their update), and
// never in the current folder (SetDllDirectoryA with an empty folder, XP SP1
// and later). Both are looked up at run time, as Windows 98 has neither.
void RestrictDllSearchToSystemFolder();

// Loads the DLL `fileName` (a bare name such as "riched32.dll") by its full
// path in the system folder; the DLLs it imports are looked for in that folder
// first. Null when the system folder cannot be read or the DLL does not load.
HMODULE LoadSystemLibrary(const char* fileName);

}  // namespace brimel
