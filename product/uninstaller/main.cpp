// Uninstall Brimel: removes Brimel Messenger from the computer.
//
// Installed as "<Windows folder>\Uninstall Brimel.exe"; the product's entry in
// the list of installed programs points at it.
//
// Command line (switches are case-insensitive):
//   (none)  ask for confirmation, remove, then report the result in a message box
//   /S      silent: no confirmation and no message boxes; the exit code tells
//           the result (for scripts and tests)
//   /?      show this list of switches
// Both ways carry out the same removal plan (removal_plan.h).
#include <windows.h>

#include <cstring>

#include "core/win32/system_libraries.h"
#include "installation.h"
#include "removal.h"
#include "removal_plan.h"
#include "report.h"
#include "self_removal.h"
#include "sys/command_line.h"
#include "sys/messenger_quit.h"

namespace brimel::product {
namespace {

enum class ExitCode {
    Removed = 0,           // what the installation left is gone (or nothing was installed)
    Incomplete = 1,        // some items could not be removed; a second run finishes
    Declined = 2,          // the user answered No
    NoProgramFiles = 3,    // the Program Files folder is not in the registry
    MessengerRunning = 4,  // the messenger kept running; nothing was removed
    BadArguments = 5,      // unknown argument; nothing was done
    FolderMissing = 6,     // installed, but no product folder where the registry says; nothing removed
};

class Uninstaller {
public:
    explicit Uninstaller(bool silent) : silent_(silent) {}

    ExitCode Run() {
        Installation installation;
        const Found found = LocateInstallation(&installation);
        if (found == Found::NoProgramFiles) return Tell(kNoProgramFilesText, MB_ICONERROR, ExitCode::NoProgramFiles);
        // Asked before anything else is looked at or said, as it always was.
        if (!silent_ && MessageBoxA(nullptr, kConfirmation, kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return ExitCode::Declined;
        if (found == Found::FolderMissing)
            return Tell(FolderMissingText(installation.productFolder), MB_ICONERROR, ExitCode::FolderMissing);
        const RemovalPlan plan = PlanRemoval(installation);
        if (found == Found::NothingInstalled) {
            // Only a leftover uninstaller can be there to remove.
            const RemovalOutcome outcome = CarryOut(plan);
            return Tell(kNotInstalledText, MB_ICONINFORMATION,
                        outcome.Complete() ? ExitCode::Removed : ExitCode::Incomplete);
        }
        if (!StopRunningMessenger(plan.messenger, kQuitLetter))
            return Tell(kMessengerRunningText, MB_ICONWARNING, ExitCode::MessengerRunning);
        const RemovalOutcome outcome = CarryOut(plan);
        return Tell(ReportText(outcome), outcome.Complete() ? MB_ICONINFORMATION : MB_ICONWARNING,
                    outcome.Complete() ? ExitCode::Removed : ExitCode::Incomplete);
    }

private:
    ExitCode Tell(const String& text, UINT icon, ExitCode exitCode) const {
        if (!silent_) MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | icon);
        return exitCode;
    }

    bool silent_;
};

int Main(const Array<String>& arguments) {
    if (!arguments.empty() && lstrcmpiA(arguments[0].c_str(), kCleanupSwitch) == 0) {
        Array<String> rest;
        for (size_t i = 1; i < arguments.size(); ++i) rest.push_back(arguments[i]);
        return RunCleanup(rest);
    }
    bool silent = false, help = false, unknown = false;
    for (const String& argument : arguments) {
        if (lstrcmpiA(argument.c_str(), "/S") == 0)
            silent = true;
        else if (argument == "/?")
            help = true;
        else
            unknown = true;
    }
    if (help || unknown) {
        if (!silent) MessageBoxA(nullptr, kUsage, kTitle, MB_OK | (unknown ? MB_ICONWARNING : MB_ICONINFORMATION));
        return static_cast<int>(unknown ? ExitCode::BadArguments : ExitCode::Removed);
    }
    return static_cast<int>(Uninstaller(silent).Run());
}

}  // namespace
}  // namespace brimel::product

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Its temporary copy runs from the temporary folder, where anyone can
    // leave a DLL.
    brimel::RestrictDllSearchToSystemFolder();
    return brimel::product::Main(brimel::ArgumentsAfterProgram(GetCommandLineA()));
}
