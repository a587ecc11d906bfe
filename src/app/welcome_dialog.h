// The installer's main window: greeting, license and the Install button.
#pragma once

#include "core/string.h"

#include "framework/dialog.h"

namespace brimel {

class WelcomeDialog : public Dialog {
public:
    WelcomeDialog();
    ~WelcomeDialog() override = default;

    // Set when an old desktop shortcut was removed while installing.
    int desktopShortcutRemoved = 0;

    // The installation duties, carried out by src/install with this
    // dialog's and the application's state.
    BOOL WriteInstalledFileSet();
    void CreateShortcut(const String& folderValueName);
    HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description);
    void RegisterUninstall();
    BOOL HasLegacyAutostart();
    BOOL RemoveLegacyAutostart();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Enter never closes the welcome dialog.
    void OnOK() override {}

    Window picture;
    Window acceptBox;
    Window captionAgreement;
    Window captionThanks;
    Window captionHello;
    Window installButton;
    Window licenseView;
    String runKeyPath;
};

}  // namespace brimel
