// Entry point of Brimel Messenger Setup.
#include <windows.h>

#include "app/setup_app.h"

namespace {
brimel::SetupApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return theApp.Run(instance); }
