// Starting the installed messenger as the desktop's user rather than as the
// installer, which may run with an administrator's rights.
#pragma once

namespace brimel::install {

// Opens the program `path`, without parameters and shown normally, through
// the desktop's shell where that is the desktop user's own (Windows Vista and
// later, a shell running): the program then runs with that user's rights.
// Elsewhere, and whenever the shell fails or does not answer within a few
// seconds, opens it from this process with the platform's ShellExecute.
// Once per process: the shell may still be busy with the request when this
// returns.
void LaunchAsDesktopUser(const char* path);

}  // namespace brimel::install
