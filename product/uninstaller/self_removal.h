// The removal of the installed uninstaller, which may be this very program.
//
// A running program cannot delete its own file, so the uninstaller copies
// itself into the temporary folder and starts the copy with the internal
// switch
//   /_cleanup <process handle> "<path of the original>"
// The copy inherits a handle of the uninstaller's process, waits until the
// uninstaller has ended, deletes the original and schedules its own removal
// for the next restart. Where the copy cannot be started, the original is
// scheduled for removal at the next restart instead: on the NT family with
// MoveFileExA(MOVEFILE_DELAY_UNTIL_REBOOT), on Windows 98/Me with a
// "NUL=<short path>" line under [rename] in WININIT.INI (only when no other
// program has a NUL= line pending there, since the profile functions could
// keep just one of them).
#pragma once

#include "core/array.h"
#include "core/string.h"

namespace brimel::product {

extern const char kCleanupSwitch[];

// Removes the installed uninstaller `installed`: at once when it is another
// file, through the temporary copy (or at the next restart) when it is this
// program. False when none of that could be done.
bool RemoveUninstaller(const String& installed);

// The temporary copy's work, for the arguments after /_cleanup.
int RunCleanup(const Array<String>& arguments);

}  // namespace brimel::product
