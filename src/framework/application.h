// The process-wide application object: one instance, constructed before the
// entry point runs, reachable from anywhere through CurrentApplication().
// Controls ask it for what the whole program shares (dialog font, face name,
// icon, skins) through virtual accessors, so they never depend on the
// program's own application class.
#pragma once

#include <windows.h>

#include "core/string.h"

#include "framework/class_record.h"
#include "framework/gdi.h"
#include "framework/skin_settings.h"

namespace brimel {

class Window;

class Application : public Object {
    BRIMEL_DECLARE_CLASS(Application)

public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Returning false skips the message loop: the process ends after
    // ExitInstance, as a dialog-based program does once its dialog closed.
    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return exitCode_; }

    // Runs the whole life of the application; called from WinMain.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return instance_; }
    Window* mainWindow = nullptr;

    // What the controls share. The defaults serve programs (and tests)
    // without shared resources of their own: the dialog font of the face
    // "MS Sans Serif", made on first use, no icon, and the default skin.
    virtual HFONT DialogFont() const;
    virtual const char* FontFaceName() const { return "MS Sans Serif"; }
    virtual HICON AppIcon() const { return nullptr; }
    virtual SkinSettings GetSkinSettings(int skinId) const;

protected:
    int exitCode_ = 0;

private:
    HINSTANCE instance_ = nullptr;
    mutable Font defaultFont_;
};

// The shared dialog font's record: height -12, variable-pitch roman, with the
// given face name copied bounded into the 32-character buffer.
LOGFONTA DialogFontRecord(const String& faceName);

Application* CurrentApplication();

// The font the installer's own controls draw their text in: the application's
// shared dialog font, or the system's when there is no application object.
HFONT SharedDialogFont();

// The module that holds the program's resources.
HINSTANCE ResourceInstance();

}  // namespace brimel
