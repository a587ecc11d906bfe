#include "app/setup_app.h"

#include <objbase.h>
#include <ole2.h>

#include <cstring>
#include <string>

#include "app/welcome_dialog.h"
#include "framework/resource_string.h"
#include "resource.h"
#include "sys/registry.h"

namespace brimel {
namespace {

// The rich edit control's window class "RICHEDIT" comes with riched32.dll.
// Loaded by its full system path, so a DLL planted beside the installer is
// never picked up.
void LoadRichEditLibrary() {
    char path[MAX_PATH + 16];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::strcat(path, path[length - 1] == '\\' ? "riched32.dll" : "\\riched32.dll");
    LoadLibraryA(path);
}

}  // namespace

// Registry reads that fail answer with this application's marker text.
SetupApp::SetupApp() { UseNotFoundText(&notFoundText); }

SetupApp::~SetupApp() { UseNotFoundText(nullptr); }

LOGFONTA DialogFontRecord(const std::string& faceName) {
    LOGFONTA record;
    std::memset(&record, 0, sizeof record);
    record.lfHeight = -12;
    record.lfCharSet = DEFAULT_CHARSET;
    record.lfOutPrecision = OUT_DEFAULT_PRECIS;
    record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    record.lfQuality = DEFAULT_QUALITY;
    record.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    // A face name longer than the record holds is cut, never overrun.
    const size_t length = faceName.size() < LF_FACESIZE - 1 ? faceName.size() : LF_FACESIZE - 1;
    std::memcpy(record.lfFaceName, faceName.data(), length);
    record.lfFaceName[length] = '\0';
    return record;
}

void SetupApp::LoadSharedResources() {
    notFoundText = LoadResString(IDS_NOT_FOUND);
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
    CoUninitialize();
    if (oleInitialized_) OleUninitialize();
    return Application::ExitInstance();
}

SetupApp* CurrentSetupApp() { return dynamic_cast<SetupApp*>(CurrentApplication()); }

}  // namespace brimel
