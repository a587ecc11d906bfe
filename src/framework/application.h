// The process-wide application object: one instance, constructed before the
// entry point runs, reachable from anywhere through CurrentApplication().
#pragma once

#include <windows.h>

namespace brimel {

class Window;

class Application {
public:
    Application();
    virtual ~Application();
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

protected:
    int exitCode_ = 0;

private:
    HINSTANCE instance_ = nullptr;
};

Application* CurrentApplication();

// The module that holds the program's resources.
HINSTANCE ResourceInstance();

}  // namespace brimel
