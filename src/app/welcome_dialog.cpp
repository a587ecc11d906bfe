#include "app/welcome_dialog.h"

#include "app/setup_app.h"
#include "install/installed_files.h"
#include "install/shortcuts.h"
#include "install/uninstall_registration.h"
#include "resource.h"
#include "sys/environment_probes.h"

namespace brimel {

WelcomeDialog::WelcomeDialog() : Dialog(IDD_WELCOME, nullptr) {}

void WelcomeDialog::DoDataExchange() {
    BindControl(IDC_WELCOME_ART, picture);
    BindControl(IDC_ACCEPT, acceptBox);
    BindControl(IDC_CAPTION_AGREEMENT, captionAgreement);
    BindControl(IDC_CAPTION_THANKS, captionThanks);
    BindControl(IDC_CAPTION_HELLO, captionHello);
    BindControl(IDC_INSTALL, installButton);
    BindControl(IDC_LICENSE_VIEW, licenseView);
}

BOOL WelcomeDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    runKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    return TRUE;
}

BOOL WelcomeDialog::WriteInstalledFileSet() {
    const install::InstallPaths paths = install::SystemInstallPaths(CurrentSetupApp()->programFilesDir);
    return install::WriteInstalledFileSet(paths, &desktopShortcutRemoved) ? TRUE : FALSE;
}

void WelcomeDialog::CreateShortcut(const String& folderValueName) {
    install::CreateShortcut(folderValueName, CurrentSetupApp()->programFilesDir);
}

HRESULT WelcomeDialog::CreateShellLink(const char* targetPath, const char* linkPath, const char* description) {
    return install::CreateShellLink(targetPath, linkPath, description);
}

void WelcomeDialog::RegisterUninstall() { install::RegisterUninstall(GetWindowsFolder()); }

BOOL WelcomeDialog::HasLegacyAutostart() { return install::HasLegacyAutostart(runKeyPath) ? TRUE : FALSE; }

BOOL WelcomeDialog::RemoveLegacyAutostart() { return install::RemoveLegacyAutostart(runKeyPath) ? TRUE : FALSE; }

}  // namespace brimel
