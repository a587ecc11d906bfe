// The installer's application object: prepares the platform libraries, holds
// the shared texts, font and icon, and runs the welcome dialog.
#pragma once

#include <windows.h>

#include <string>

#include "framework/application.h"
#include "framework/gdi.h"

namespace brimel {

class SetupApp : public Application {
    BRIMEL_DECLARE_CLASS(SetupApp)

public:
    SetupApp();
    ~SetupApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    HFONT DialogFont() const override { return dialogFont.Get(); }
    const char* FontFaceName() const override { return fontFaceName.c_str(); }
    HICON AppIcon() const override { return appIcon; }
    // Skin 801 is white with black text; every other skin tiles picture 601.
    SkinSettings GetSkinSettings(int skinId) const override;

    // Loads the shared texts, the dialog font and the icon: the part of start-up
    // that tests without a dialog need too.
    void LoadSharedResources();

    HICON appIcon = nullptr;
    std::string notFoundText;
    std::string programFilesDir;
    std::string fontFaceName;
    Font dialogFont;

private:
    bool oleInitialized_ = false;
};

// The one application object; null when the program's application is not
// the installer's.
SetupApp* CurrentSetupApp();

}  // namespace brimel
