#include "app/setup_app.h"

#include <objbase.h>
#include <ole2.h>

#include <cstring>
#include <string>

#include "app/welcome_dialog.h"
#include "core/win32/resources.h"
#include "resource.h"
#include "sys/environment_probes.h"
#include "sys/registry.h"

namespace brimel {
namespace {

// The rich edit control's window class "RICHEDIT" comes with riched32.dll.
// Loaded by its full system path, so a DLL planted beside the installer is
// never picked up.
void LoadRichEditLibrary() {
    const std::string path = SystemFolderFile("riched32.dll");
    if (!path.empty()) LoadLibraryA(path.c_str());
}

}  // namespace

BRIMEL_IMPLEMENT_CLASS(SetupApp, Application)

SetupApp::SetupApp() = default;

SetupApp::~SetupApp() = default;

SkinSettings SetupApp::GetSkinSettings(int skinId) const {
    SkinSettings settings;
    settings.stretch = 0;
    if (skinId == 801) {
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
    LoadRichEditLibrary();
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
