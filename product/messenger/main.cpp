// Brimel Messenger: the main program of the product.
//
// It shows the installed skin that suits the screen, the version text of its
// companion library BC.dll, and remembers its window position per user.
// Only one copy runs at a time; a second start brings the first one forward.
//
// Command line:
//   (none)   start the messenger, or activate the copy that is already running
//   /u.U     quit request, used by the setup program and the uninstaller before
//            they replace or remove the program file: the running copy is asked
//            to close, this process waits up to 10 seconds for it to exit and
//            then ends itself without showing a window. Exit code 0 when no copy
//            is left running, 1 when the running copy did not exit in time.
//
// Only functions present on Windows 98 SE are imported.

#include <windows.h>

#include <string.h>

namespace {

const char kWindowClass[] = "BrimelMessengerMainWindow";
const char kWindowTitle[] = "Brimel Messenger";
const char kInstanceMutex[] = "BrimelMessengerSingleInstance";
const char kSettingsKey[] = "Software\\Brimel, Inc.\\Brimel";
const char kPositionValue[] = "WindowPos";
const char kVersionValue[] = "Version";
const char kCoreFile[] = "BC.dll";
const char kCoreEntry[] = "BrimelCoreVersion";
const char kProductVersion[] = "2.0.40";
const DWORD kQuitWaitMs = 10000;
const int kStatusHeight = 20;
const int kPlainWidth = 480;
const int kPlainHeight = 320;
const DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

typedef const char*(__stdcall* CoreVersionFn)(void);

struct AppState {
    HBITMAP skin;
    int skinWidth;
    int skinHeight;
    char skinPath[MAX_PATH + 64];
    HMODULE core;
    char status[160];
};

AppState g_app;

// Folder of this program, with a trailing backslash; empty when unknown.
void GetOwnFolder(char* out, size_t size)
{
    out[0] = '\0';
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return;
    char* slash = strrchr(path, '\\');
    if (!slash)
        return;
    slash[1] = '\0';
    if (strlen(path) < size)
        strcpy(out, path);
}

// True when one of the arguments after the program name is the quit request.
bool HasQuitRequest(const char* cmd)
{
    const char* p = cmd;
    // Skip the program name, quoted or not.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            return false;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t')
            ++p;
        size_t len = (size_t)(p - start);
        char arg[16];
        if (len < sizeof(arg)) {
            memcpy(arg, start, len);
            arg[len] = '\0';
            if (lstrcmpiA(arg, "/u.U") == 0)
                return true;
        }
    }
}

// Asks the running copy to close and waits for its process to end.
int RequestRunningCopyToQuit()
{
    HWND other = FindWindowA(kWindowClass, NULL);
    if (!other)
        return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(other, &pid);
    HANDLE process = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : NULL;
    PostMessageA(other, WM_CLOSE, 0, 0);
    if (!process) {
        // Without a process handle, watch the window instead.
        DWORD start = GetTickCount();
        while (IsWindow(other)) {
            if (GetTickCount() - start >= kQuitWaitMs)
                return 1;
            Sleep(100);
        }
        return 0;
    }
    DWORD result = WaitForSingleObject(process, kQuitWaitMs);
    CloseHandle(process);
    return result == WAIT_OBJECT_0 ? 0 : 1;
}

void LoadSkin()
{
    char folder[MAX_PATH];
    GetOwnFolder(folder, sizeof(folder));
    const char* skinName = GetSystemMetrics(SM_CXSCREEN) < 1024
                               ? "Skins\\Default - 800x600\\main.bmp"
                               : "Skins\\Default - 1024x768\\main.bmp";
    lstrcpynA(g_app.skinPath, folder, sizeof(g_app.skinPath));
    size_t used = strlen(g_app.skinPath);
    lstrcpynA(g_app.skinPath + used, skinName, (int)(sizeof(g_app.skinPath) - used));

    g_app.skin = (HBITMAP)LoadImageA(NULL, g_app.skinPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (g_app.skin) {
        BITMAP info;
        if (GetObjectA(g_app.skin, sizeof(info), &info) == sizeof(info) && info.bmWidth > 0 &&
            info.bmHeight > 0) {
            g_app.skinWidth = info.bmWidth;
            g_app.skinHeight = info.bmHeight;
        } else {
            DeleteObject(g_app.skin);
            g_app.skin = NULL;
        }
    }
}

void LoadCore()
{
    char path[MAX_PATH];
    GetOwnFolder(path, sizeof(path));
    size_t used = strlen(path);
    if (used + sizeof(kCoreFile) > sizeof(path)) {
        lstrcpynA(g_app.status, "Brimel Core: path too long", sizeof(g_app.status));
        return;
    }
    strcpy(path + used, kCoreFile);

    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    g_app.core = LoadLibraryA(path);
    SetErrorMode(oldMode);
    if (!g_app.core) {
        lstrcpynA(g_app.status, "Brimel Core library (BC.dll) could not be loaded",
                  sizeof(g_app.status));
        return;
    }
    CoreVersionFn version = (CoreVersionFn)(void*)GetProcAddress(g_app.core, kCoreEntry);
    const char* text = version ? version() : NULL;
    if (!text || IsBadStringPtrA(text, sizeof(g_app.status))) {
        lstrcpynA(g_app.status, "Brimel Core library (BC.dll) has no version entry",
                  sizeof(g_app.status));
        return;
    }
    lstrcpynA(g_app.status, text, sizeof(g_app.status));
}

// Client size: the skin picture with the status line below it.
void GetClientSize(int* width, int* height)
{
    *width = g_app.skin ? g_app.skinWidth : kPlainWidth;
    *height = (g_app.skin ? g_app.skinHeight : kPlainHeight) + kStatusHeight;
}

// Restores the remembered top-left corner when it is still on a screen.
bool ReadSavedPosition(int width, POINT* pos)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG data[2] = {0, 0};
    DWORD type = 0;
    DWORD size = sizeof(data);
    LONG rc = RegQueryValueExA(key, kPositionValue, NULL, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(data))
        return false;

    // The virtual screen metrics are 0 on systems without multi-monitor support.
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (right <= left || bottom <= top) {
        left = 0;
        top = 0;
        right = GetSystemMetrics(SM_CXSCREEN);
        bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    // At least the caption's first 60 x 20 pixels must be reachable.
    const int grip = 60;
    if (data[0] < left - width + grip || data[0] > right - grip || data[1] < top ||
        data[1] > bottom - 20)
        return false;
    pos->x = data[0];
    pos->y = data[1];
    return true;
}

void SaveSettings(HWND window)
{
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return;
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, NULL, &key, &disposition) != ERROR_SUCCESS)
        return;
    LONG data[2] = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    RegSetValueExA(key, kPositionValue, 0, REG_BINARY, (const BYTE*)data, sizeof(data));
    RegSetValueExA(key, kVersionValue, 0, REG_SZ, (const BYTE*)kProductVersion,
                   sizeof(kProductVersion));
    RegCloseKey(key);
}

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    RECT body = client;
    body.bottom -= kStatusHeight;

    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ oldFont = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);

    if (g_app.skin) {
        HDC memory = CreateCompatibleDC(dc);
        if (memory) {
            HGDIOBJ oldBitmap = SelectObject(memory, g_app.skin);
            BitBlt(dc, 0, 0, g_app.skinWidth, g_app.skinHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, oldBitmap);
            DeleteDC(memory);
        }
    } else {
        HBRUSH panel = CreateSolidBrush(RGB(0xE4, 0xEA, 0xF4));
        FillRect(dc, &body, panel);
        DeleteObject(panel);
        SetTextColor(dc, RGB(0x20, 0x30, 0x50));
        char note[MAX_PATH + 160];
        lstrcpynA(note, "The skin for this screen size is missing:\r\n", sizeof(note));
        size_t used = strlen(note);
        lstrcpynA(note + used, g_app.skinPath, (int)(sizeof(note) - used));
        used = strlen(note);
        lstrcpynA(note + used, "\r\n\r\nPlease reinstall Brimel Messenger from http://www.brimel.example/",
                  (int)(sizeof(note) - used));
        RECT text = body;
        InflateRect(&text, -16, -16);
        DrawTextA(dc, note, -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

    RECT status = client;
    status.top = status.bottom - kStatusHeight;
    HBRUSH strip = CreateSolidBrush(RGB(0x2A, 0x3F, 0x6B));
    FillRect(dc, &status, strip);
    DeleteObject(strip);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    RECT statusText = status;
    statusText.left += 6;
    DrawTextA(dc, g_app.status, -1, &statusText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers the whole client area
    case WM_CLOSE:
        SaveSettings(window);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void BringRunningCopyForward()
{
    HWND other = FindWindowA(kWindowClass, NULL);
    if (!other)
        return;
    if (IsIconic(other))
        ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(other);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (HasQuitRequest(GetCommandLineA()))
        return RequestRunningCopyToQuit();

    HANDLE mutex = CreateMutexA(NULL, FALSE, kInstanceMutex);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        BringRunningCopyForward();
        CloseHandle(mutex);
        return 0;
    }

    LoadSkin();
    LoadCore();

    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    wc.lpszClassName = kWindowClass;
    int exitCode = 1;
    if (RegisterClassA(&wc)) {
        int width, height;
        GetClientSize(&width, &height);
        RECT frame = {0, 0, width, height};
        AdjustWindowRect(&frame, kWindowStyle, FALSE);
        int outerWidth = frame.right - frame.left;
        int outerHeight = frame.bottom - frame.top;
        POINT pos;
        if (!ReadSavedPosition(outerWidth, &pos)) {
            pos.x = CW_USEDEFAULT;
            pos.y = CW_USEDEFAULT;
        }
        HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, kWindowStyle, pos.x, pos.y,
                                      outerWidth, outerHeight, NULL, NULL, instance, NULL);
        if (window) {
            ShowWindow(window, show);
            UpdateWindow(window);
            MSG msg;
            BOOL got;
            while ((got = GetMessageA(&msg, NULL, 0, 0)) != 0 && got != -1) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            exitCode = got == -1 ? 1 : (int)msg.wParam;
        }
    }

    if (g_app.skin)
        DeleteObject(g_app.skin);
    if (g_app.core)
        FreeLibrary(g_app.core);
    if (mutex)
        CloseHandle(mutex);
    return exitCode;
}
