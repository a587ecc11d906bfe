#include "app/setup_app.h"

#include <objbase.h>
#include <ole2.h>

#include <cstring>
#include "core/string.h"

#include "app/welcome_dialog.h"
#include "core/win32/resources.h"
#include "core/win32/system_libraries.h"
#include "resource.h"
#include "sys/registry.h"

namespace brimel {
namespace {

// Libraries taken from the system folder before the first window exists,
// never a DLL planted beside the installer. riched32.dll brings the rich edit
// control's window class "RICHEDIT" and takes riched20.dll along. msimg32.dll
// is loaded by bare name by Wine's theming library when it draws the dialog's
// controls, looking in the installer's folder first however the search was
// restricted; a library already loaded is what such a load then gets.
void LoadSystemLibraries() {
    LoadSystemLibrary("riched32.dll");
    LoadSystemLibrary("msimg32.dll");
}

}  // namespace

BRIMEL_IMPLEMENT_CLASS(SetupApp, Application)

SetupApp::SetupApp() = default;

SetupApp::~SetupApp() = default;

SkinSettings SetupApp::GetSkinSettings(int skinId) const {
    SkinSettings settings;
    settings.stretch = 0;
    if (skinId == kWelcomeSkin) {
        settings.backgroundColor = RGB(255, 255, 255);
        settings.textColor = RGB(0, 0, 0);
    } else {
        settings.pictureName = "601";
    }
    return settings;
}

void SetupApp::LoadSharedResources() {
    notFoundText = LoadResString(IDS_NOT_FOUND);
    // Registry reads that fail answer with this marker from now on.
    SetNotFoundText(notFoundText);
    fontFaceName = LoadResString(IDS_FONT_FACE);
    const LOGFONTA record = DialogFontRecord(fontFaceName);
    dialogFont.Reset(CreateFontIndirectA(&record));
    appIcon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_APP));
}

bool SetupApp::InitInstance() {
    LoadSystemLibraries();
    CoInitialize(nullptr);
    // Three-dimensional control drawing is the system's own on every Windows
    // served; there is nothing to switch on.
    if (FAILED(OleInitialize(nullptr))) return false;
    oleInitialized_ = true;
    LoadSharedResources();

    {
        WelcomeDialog welcome;
        mainWindow = &welcome;
        welcome.DoModal();
        mainWindow = nullptr;
    }
    return false;
}

int SetupApp::ExitInstance() {
    // OLE first: it was initialised on top of COM.
    if (oleInitialized_) OleUninitialize();
    oleInitialized_ = false;
    CoUninitialize();
    return Application::ExitInstance();
}

SetupApp* CurrentSetupApp() { return ObjectAs<SetupApp>(CurrentApplication()); }

}  // namespace brimel
