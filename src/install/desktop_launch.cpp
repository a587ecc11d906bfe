#include "install/desktop_launch.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include "core/win32/owners.h"
#include "sys/environment_probes.h"

namespace brimel::install {
namespace {

// The headers only declare this service id; its definition lives in the
// uuid library's single object, which brings every id it knows.
const GUID kTopLevelBrowserService = {0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// How long the installer waits for the shell before starting the program
// itself: a working shell answers within a second, and the installer must
// still end soon after it hid.
constexpr DWORD kShellAnswerBound = 3000;

// Where the request stands between the installer's thread and the one that
// asks the shell. Once the request is handed to the shell the installer no
// longer starts the program itself: that could start it twice.
enum : LONG { kAsking, kHandedToShell, kStartedByShell, kGivenUp };
LONG requestState = kAsking;
// The request, kept beyond the call: the asking thread may outlive it.
WCHAR requestPath[MAX_PATH];

// The desktop's shell dispatch object: the ShellWindows object's desktop
// window, its browser's active view, the view's automation object and its
// Application. Fails where no shell serves the desktop (or, on XP, where
// the desktop is not among the windows it lists).
HRESULT DesktopShell(IShellDispatch2** shell) {
    ComPtr<IShellWindows> windows;
    HRESULT result = CoCreateInstance(__uuidof(ShellWindows), nullptr, CLSCTX_LOCAL_SERVER,
                                      __uuidof(IShellWindows), windows.ReceiveVoid());
    if (FAILED(result)) return result;
    VARIANT nowhere = {};
    LONG window = 0;
    ComPtr<IDispatch> desktop;
    // S_FALSE, and no window, where the desktop is not among them.
    windows->FindWindowSW(&nowhere, &nowhere, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.Receive());
    if (!desktop) return E_FAIL;
    ComPtr<IServiceProvider> services;
    if (FAILED(result = desktop->QueryInterface(services.Receive()))) return result;
    ComPtr<IShellBrowser> browser;
    result = services->QueryService(kTopLevelBrowserService, __uuidof(IShellBrowser), browser.ReceiveVoid());
    if (FAILED(result)) return result;
    ComPtr<IShellView> view;
    if (FAILED(result = browser->QueryActiveShellView(view.Receive()))) return result;
    ComPtr<IDispatch> background;
    result = view->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch), background.ReceiveVoid());
    if (FAILED(result)) return result;
    ComPtr<IShellFolderViewDual> folderView;
    if (FAILED(result = background->QueryInterface(folderView.Receive()))) return result;
    ComPtr<IDispatch> application;
    if (FAILED(result = folderView->get_Application(application.Receive()))) return result;
    return application->QueryInterface(shell);
}

void AskDesktopShell() {
    ComPtr<IShellDispatch2> shell;
    if (FAILED(DesktopShell(shell.Receive()))) return;
    // Too late: the installer has started the program itself.
    if (InterlockedCompareExchange(&requestState, kHandedToShell, kAsking) != kAsking) return;
    // No parameters and no folder: empty VARIANTs.
    VARIANT none = {}, verb = {}, show = {};
    verb.vt = VT_BSTR;
    verb.bstrVal = SysAllocString(L"open");
    // An empty show command would mean hidden.
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const BSTR file = SysAllocString(requestPath);
    // The shell answers S_FALSE when its ShellExecute failed.
    const HRESULT result = shell->ShellExecute(file, none, none, verb, show);
    SysFreeString(file);
    SysFreeString(verb.bstrVal);
    InterlockedExchange(&requestState, result == S_OK ? kStartedByShell : kAsking);
}

DWORD WINAPI AskingThread(void*) {
    if (SUCCEEDED(CoInitialize(nullptr))) {
        AskDesktopShell();
        CoUninitialize();
    }
    return 0;
}

// The shell is asked from a thread of its own because no wait on this thread
// could be bounded: the ShellWindows object lives in the shell's process, and
// creating it is a request to the system's activation service that no message
// filter can cancel and that waits as long as a hung shell does. A thread
// that gets no answer in time is left behind; it ends with the process.
bool ShellStarted(const char* path) {
    if (!IsVistaOrLater() || !MultiByteToWideChar(CP_ACP, 0, path, -1, requestPath, MAX_PATH)) return false;
    // No thread id: Windows 98 needs a place for it, but this runs on NT only.
    const HANDLE thread = CreateThread(nullptr, 0, AskingThread, nullptr, 0, nullptr);
    if (!thread) return false;
    WaitForSingleObject(thread, kShellAnswerBound);
    CloseHandle(thread);
    // A request still with the shell counts as started; should the shell
    // then fail, the program does not start, which is rarer than a shell
    // that answers late and would otherwise start it twice.
    return InterlockedCompareExchange(&requestState, kGivenUp, kAsking) != kAsking;
}

}  // namespace

void LaunchAsDesktopUser(const char* path) {
    if (!ShellStarted(path)) ShellExecuteA(nullptr, "open", path, "", nullptr, SW_SHOWNORMAL);
}

}  // namespace brimel::install
