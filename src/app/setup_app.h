// The installer's application object: prepares the platform libraries, holds
// the shared texts, font and icon, and runs the welcome dialog.
#pragma once

#include <windows.h>

#include <string>

#include "framework/application.h"
#include "framework/gdi.h"

namespace brimel {

class SetupApp : public Application {
public:
    SetupApp();
    ~SetupApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

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

// The one application object.
SetupApp* CurrentSetupApp();

// The shared dialog font's record: height -12, variable-pitch roman, with the
// given face name copied bounded into the 32-character buffer.
LOGFONTA DialogFontRecord(const std::string& faceName);

}  // namespace brimel
