// Starting the installed messenger as the desktop's user rather than as the
// installer, which may run with an administrator's rights.
#pragma once

namespace brimel::install {

// Opens `path` with `parameters`, shown normally, through the desktop's shell
// where that is the user's own (Windows Vista and later, a shell running):
// the program then runs with the rights of the desktop's user. Elsewhere, and
// whenever the shell fails or does not answer within a few seconds, opens it
// from this process as the platform's ShellExecute does. The caller's
// thread needs COM.
void LaunchAsDesktopUser(const char* path, const char* parameters);

}  // namespace brimel::install
