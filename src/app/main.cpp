// Entry point of Brimel Messenger Setup.
#include <windows.h>

#include "app/setup_app.h"
#include "core/win32/system_libraries.h"

namespace {
brimel::SetupApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    brimel::RestrictDllSearchToSystemFolder();
    return theApp.Run(instance);
}
