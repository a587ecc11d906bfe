// The installer's main window: greeting, license and the Install button.
// Its initialisation runs every check that decides whether the installation
// may be offered at all; the Install button runs the installation sequence.
#pragma once

#include "core/string.h"

#include "framework/window.h"
#include "ui/controls/license_view.h"
#include "ui/controls/multi_color_static.h"
#include "ui/controls/radio_check_button.h"
#include "ui/dialogs/skinned_dialog.h"
#include "ui/draw/image_button.h"

namespace brimel {

class WelcomeDialog : public BDialog {
public:
    WelcomeDialog();
    ~WelcomeDialog() override = default;

    // Set when an old desktop shortcut was removed while installing.
    int desktopShortcutRemoved = 0;

    // The installation sequence of the Install button, and its one message.
    void OnInstall();
    void ShowInstallFailureNotice();
    // Places the license view, box, button and picture from the client size.
    void LayoutControls();

    // The installation duties, carried out by src/install with this
    // dialog's and the application's state.
    BOOL WriteInstalledFileSet();
    void CreateShortcut(const String& folderValueName);
    HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description);
    void RegisterUninstall();
    BOOL HasLegacyAutostart();
    BOOL RemoveLegacyAutostart();

    Window picture;
    BRadioCheckButton acceptBox;
    CMultiColorStatic captionAgreement;
    CMultiColorStatic captionThanks;
    CMultiColorStatic captionHello;
    BImageButton installButton;
    LicenseView licenseView;
    String runKeyPath;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Enter never closes the welcome dialog.
    void OnOK() override {}
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The start-up checks after the skin; false when the dialog must end.
    bool RunStartupChecks();
    bool FindProgramFiles();
    bool WaitForRunningMessenger();
    void StreamLicense();
    void PaintMinimised();
    // The installation proper, with the dialog out of the user's reach.
    void RunInstallation();

    bool installing_ = false;
    // The client size the controls were last placed for.
    SIZE laidOut_ = {0, 0};
};

}  // namespace brimel
