// Brimel Messenger: the main program of the product.
//
// It shows the installed skin that suits the screen as a window without a
// system caption (the skin picture carries the caption, its close and minimize
// buttons come from the same skin), the version text of its companion library
// BC.dll, and remembers its window position per user. Without a skin it shows
// a plain panel in an ordinary captioned window. Only one copy runs at a time;
// a second start brings the first one forward.
//
// Command line:
//   (none)   start the messenger, or activate the copy that is already running
//   /u.U     quit request, used by the setup program and the uninstaller before
//            they replace or remove the program file: the running copy is asked
//            to close, this process waits up to 10 seconds for it to exit and
//            then ends itself without showing a window. Exit code 0 when no copy
//            is left running, 1 when the running copy did not exit in time.
// Otherwise the exit code is 0, or 1 when the window could not be made.
//
// Only functions present on Windows 98 SE are imported.
#include <windows.h>

#include <utility>

#include "companion_library.h"
#include "core/text.h"
#include "core/win32/owners.h"
#include "core/win32/system_libraries.h"
#include "framework/application.h"
#include "messenger_window.h"
#include "quit_request.h"
#include "skin.h"
#include "sys/code_page.h"
#include "sys/command_line.h"
#include "sys/process_paths.h"

namespace brimel::product {
namespace {

const char kInstanceMutex[] = "BrimelMessengerSingleInstance";

void BringRunningCopyForward() {
    HWND other = FindWindowA(kMessengerWindowClass, nullptr);
    if (other == nullptr) return;
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(other);
}

// Runs the window's messages until it is closed.
class MessengerApp : public Application {
public:
    MessengerApp(MessengerWindow& window, int show) : window_(window), show_(show) {}

    bool InitInstance() override {
        if (!window_.Create(Instance(), show_)) {
            exitCode_ = 1;
            return false;
        }
        mainWindow = &window_;
        return true;
    }

private:
    MessengerWindow& window_;
    int show_;
};

int Main(HINSTANCE instance, int show) {
    if (IsQuitRequest(ArgumentsAfterProgram(GetCommandLineA()))) return AskRunningCopyToQuit() ? 0 : 1;

    const KernelHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        BringRunningCopyForward();
        return 0;
    }
    // Empty when the system cannot say: then no skin and no library are loaded.
    const String folder = FolderOfPath(OwnProgramPath(), IsSystemLeadByte);
    Skin skin = LoadSkin(folder, GetSystemMetrics(SM_CXSCREEN));
    const CompanionLibrary library(folder);
    MessengerWindow window(std::move(skin), library.StatusText());
    MessengerApp app(window, show);
    return app.Run(instance);
}

}  // namespace
}  // namespace brimel::product

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    brimel::RestrictDllSearchToSystemFolder();
    return brimel::product::Main(instance, show);
}
