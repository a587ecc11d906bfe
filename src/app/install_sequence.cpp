// The installation sequence behind the welcome dialog's Install button.
#include <windows.h>
#include <shlobj.h>

#include "app/setup_app.h"
#include "app/welcome_dialog.h"
#include "core/installed_file_table.h"
#include "install/desktop_launch.h"
#include "install/shell_folders.h"
#include "install/shortcuts.h"
#include "resource.h"
#include "ui/dialogs/message_dialog.h"

namespace brimel {
namespace {

constexpr int kAttempts = 4;
constexpr DWORD kRetryPause = 1000;
constexpr DWORD kLaunchPause = 5000;

// Input that reached the dialog while it was busy is dropped rather than
// acted on afterwards.
void DiscardQueuedInput() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

}  // namespace

void WelcomeDialog::OnInstall() {
    // One run at a time: the dialog is out of reach while the sequence runs,
    // its pauses and its messages included.
    if (installing_) return;
    installing_ = true;
    EnableWindow(Handle(), FALSE);
    RunInstallation();
    if (HasWindow() && IsWindowVisible(Handle())) {
        DiscardQueuedInput();
        EnableWindow(Handle(), TRUE);
        // A message closed while the dialog was disabled left it inactive:
        // the user's next click must act, not merely activate it.
        SetActiveWindow(Handle());
        if (!acceptBox.GetCheck()) SetFocus(acceptBox.Handle());
    }
    installing_ = false;
}

void WelcomeDialog::RunInstallation() {
    if (!acceptBox.GetCheck()) {
        // The focus goes to the box once the dialog is usable again.
        ShowMessage(IDS_ACCEPT_FIRST, kButtonsOk);
        return;
    }
    for (int attempt = 0;; ++attempt) {
        if (WriteInstalledFileSet()) break;
        if (attempt == kAttempts - 1) {
            ShowInstallFailureNotice();
            return;
        }
        Sleep(kRetryPause);
    }
    for (const char* folder : kShortcutFolderValues) CreateShortcut(folder);
    if (desktopShortcutRemoved == 1) {
        LPITEMIDLIST desktop = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, desktop, nullptr);
        if (desktop != nullptr) CoTaskMemFree(desktop);
    }
    RegisterUninstall();
    const String program = install::InstalledProgramPath(CurrentSetupApp()->programFilesDir);
    ShowWindow(Handle(), SW_HIDE);
    install::LaunchAsDesktopUser(program.c_str());
    Sleep(kLaunchPause);
    OnCancel();
}

void WelcomeDialog::ShowInstallFailureNotice() {
    const String text = LoadResString(IDS_UNABLE_TO_INSTALL) + LoadResString(IDS_CHECK_RIGHTS) +
                             LoadResString(IDS_EXIT_MESSENGER) + LoadResString(IDS_NOTIFY_SUPPORT);
    ShowMessageText(text, kButtonsOk);
}

}  // namespace brimel
