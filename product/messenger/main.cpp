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
//
// Only functions present on Windows 98 SE are imported.

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "core/win32/system_libraries.h"

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
const int kPlainWidth = 480;
const int kPlainHeight = 320;
const DWORD kSkinnedStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
const DWORD kPlainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Places on the skin picture, as the skin's conversation window has them:
// caption height, buttons counted from the right edge, status text from the
// bottom edge.
const int kCaptionHeight = 30;
const int kCloseFromRight = 32;
const int kMinimizeFromRight = 60;
const int kButtonTop = 7;
const int kStatusFromBottom = 30;
const COLORREF kKeyColour = RGB(0xFF, 0x00, 0xFF);
const COLORREF kStatusInk = RGB(0x1E, 0x28, 0x3C);

typedef const char*(__stdcall* CoreVersionFn)(void);

struct Picture {
    HBITMAP bitmap;
    int width;
    int height;
};

struct AppState {
    Picture skin;
    Picture closeButton;
    Picture minimizeButton;
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

// Loads a BMP file; false (and an empty picture) when it is missing or bad.
bool LoadPicture(const char* path, Picture* picture)
{
    picture->bitmap = (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!picture->bitmap)
        return false;
    BITMAP info;
    if (GetObjectA(picture->bitmap, sizeof(info), &info) == sizeof(info) && info.bmWidth > 0 &&
        info.bmHeight > 0) {
        picture->width = info.bmWidth;
        picture->height = info.bmHeight;
        return true;
    }
    DeleteObject(picture->bitmap);
    picture->bitmap = NULL;
    return false;
}

void FreePicture(Picture* picture)
{
    if (picture->bitmap)
        DeleteObject(picture->bitmap);
    picture->bitmap = NULL;
}

void LoadSkin()
{
    char folder[MAX_PATH + 64];
    GetOwnFolder(folder, MAX_PATH);
    size_t used = strlen(folder);
    lstrcpynA(folder + used,
              GetSystemMetrics(SM_CXSCREEN) < 1024 ? "Skins\\Default - 800x600\\" : "Skins\\Default - 1024x768\\",
              (int)(sizeof(folder) - used));

    char path[MAX_PATH + 64];
    wsprintfA(path, "%s%s", folder, "main.bmp");
    lstrcpynA(g_app.skinPath, path, sizeof(g_app.skinPath));
    if (strlen(path) >= MAX_PATH || !LoadPicture(path, &g_app.skin))
        return;
    // The caption buttons are optional: without them the window still closes
    // through its system menu (Alt+F4).
    wsprintfA(path, "%s%s", folder, "close.bmp");
    if (strlen(path) < MAX_PATH)
        LoadPicture(path, &g_app.closeButton);
    wsprintfA(path, "%s%s", folder, "minimize.bmp");
    if (strlen(path) < MAX_PATH)
        LoadPicture(path, &g_app.minimizeButton);
}

// Copies a zero-terminated text that the library hands out, reading only
// committed, readable memory of the library's own image: a broken library
// cannot make the messenger read beyond it. False when the text is not there.
bool ReadLibraryText(HMODULE library, const char* text, char* out, size_t size)
{
    MEMORY_BASIC_INFORMATION block;
    if (!text || VirtualQuery(text, &block, sizeof(block)) != sizeof(block) ||
        block.AllocationBase != (void*)library || block.State != MEM_COMMIT ||
        (block.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0)
        return false;
    const char* end = (const char*)block.BaseAddress + block.RegionSize;
    size_t n = 0;
    while (n + 1 < size && text + n < end && text[n] != '\0') {
        out[n] = text[n];
        ++n;
    }
    out[n] = '\0';
    return text + n < end && (text[n] == '\0' || n + 1 == size);
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
    if (!ReadLibraryText(g_app.core, text, g_app.status, sizeof(g_app.status))) {
        lstrcpynA(g_app.status, "Brimel Core library (BC.dll) has no version entry",
                  sizeof(g_app.status));
        return;
    }
}

bool Skinned()
{
    return g_app.skin.bitmap != NULL;
}

// Client size: the skin picture, or the plain panel.
void GetClientSize(int* width, int* height)
{
    *width = Skinned() ? g_app.skin.width : kPlainWidth;
    *height = Skinned() ? g_app.skin.height : kPlainHeight;
}

RECT ButtonRect(const Picture& button, int fromRight)
{
    RECT r = {0, 0, 0, 0};
    if (button.bitmap) {
        r.left = g_app.skin.width - fromRight;
        r.top = kButtonTop;
        r.right = r.left + button.width;
        r.bottom = r.top + button.height;
    }
    return r;
}

// Draws a skin picture; pixels in the key colour let the background show.
void DrawKeyed(HDC dc, const Picture& picture, int x, int y)
{
    HDC source = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(picture.width, picture.height, 1, 1, NULL);
    if (source && maskDc && mask) {
        HGDIOBJ oldSource = SelectObject(source, picture.bitmap);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        // Colour to monochrome: key pixels become 1, all others 0.
        COLORREF oldBk = SetBkColor(source, kKeyColour);
        BitBlt(maskDc, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
        SetBkColor(source, oldBk);
        // Keep the background where the mask is 1, then add the picture
        // where it is 0.
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        COLORREF oldDcBk = SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, x, y, picture.width, picture.height, maskDc, 0, 0, SRCAND);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldDcBk);
        HDC inverse = CreateCompatibleDC(dc);
        HBITMAP cut = CreateCompatibleBitmap(dc, picture.width, picture.height);
        if (inverse && cut) {
            HGDIOBJ oldCut = SelectObject(inverse, cut);
            BitBlt(inverse, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
            // Black out the key pixels of the copy (mask 1 becomes black,
            // mask 0 white), then OR it in.
            COLORREF t = SetTextColor(inverse, RGB(255, 255, 255));
            COLORREF b = SetBkColor(inverse, RGB(0, 0, 0));
            BitBlt(inverse, 0, 0, picture.width, picture.height, maskDc, 0, 0, SRCAND);
            SetTextColor(inverse, t);
            SetBkColor(inverse, b);
            BitBlt(dc, x, y, picture.width, picture.height, inverse, 0, 0, SRCPAINT);
            SelectObject(inverse, oldCut);
        }
        if (cut)
            DeleteObject(cut);
        if (inverse)
            DeleteDC(inverse);
        SelectObject(maskDc, oldMask);
        SelectObject(source, oldSource);
    }
    if (mask)
        DeleteObject(mask);
    if (maskDc)
        DeleteDC(maskDc);
    if (source)
        DeleteDC(source);
}

// The remembered top-left corner, when there is one.
bool ReadSavedPosition(POINT* pos)
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
    // Far beyond every screen is as good as a little beyond it, and keeps
    // the sums with the window size from overflowing.
    const LONG limit = 0x1000000;
    pos->x = data[0] < -limit ? -limit : data[0] > limit ? limit : data[0];
    pos->y = data[1] < -limit ? -limit : data[1] > limit ? limit : data[1];
    return true;
}

// The work area (the screen without the task bar) of the monitor nearest to
// the rectangle. The monitor functions are looked up: Windows NT 4 has none.
RECT WorkAreaNear(const RECT& window)
{
    typedef HMONITOR(WINAPI * MonitorFromRectFn)(LPCRECT, DWORD);
    typedef BOOL(WINAPI * GetMonitorInfoFn)(HMONITOR, MONITORINFO*);
    HMODULE user = GetModuleHandleA("user32.dll");
    MonitorFromRectFn fromRect = user ? (MonitorFromRectFn)(void*)GetProcAddress(user, "MonitorFromRect") : NULL;
    GetMonitorInfoFn getInfo = user ? (GetMonitorInfoFn)(void*)GetProcAddress(user, "GetMonitorInfoA") : NULL;
    MONITORINFO info;
    info.cbSize = sizeof(info);
    HMONITOR monitor = fromRect && getInfo ? fromRect(&window, MONITOR_DEFAULTTONEAREST) : NULL;
    if (monitor && getInfo(monitor, &info) && info.rcWork.right > info.rcWork.left &&
        info.rcWork.bottom > info.rcWork.top)
        return info.rcWork;
    RECT area;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) && area.right > area.left && area.bottom > area.top)
        return area;
    area.left = 0;
    area.top = 0;
    area.right = GetSystemMetrics(SM_CXSCREEN);
    area.bottom = GetSystemMetrics(SM_CYSCREEN);
    return area;
}

// Moves a window of the given outer size at `pos` wholly into the work area
// of its monitor; one larger than the area keeps its top-left corner (and
// so its caption) inside.
void KeepOnScreen(int width, int height, POINT* pos)
{
    RECT window = {pos->x, pos->y, pos->x + width, pos->y + height};
    RECT area = WorkAreaNear(window);
    if (pos->x > area.right - width)
        pos->x = area.right - width;
    if (pos->x < area.left)
        pos->x = area.left;
    if (pos->y > area.bottom - height)
        pos->y = area.bottom - height;
    if (pos->y < area.top)
        pos->y = area.top;
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

// The window's shape: the skin picture without its key-coloured pixels (the
// rounded corners). NULL when the picture cannot be read; the window then
// stays rectangular.
HRGN RegionWithoutKey(const Picture& picture)
{
    const int w = picture.width, h = picture.height;
    const int stride = (w * 3 + 3) & ~3;
    BYTE* rows = (BYTE*)malloc((size_t)stride * (size_t)h);
    if (!rows)
        return NULL;
    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    int got = GetDIBits(screen, picture.bitmap, 0, h, rows, &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    HRGN region = got == h ? CreateRectRgn(0, 0, w, h) : NULL;
    for (int y = 0; region && y < h; ++y) {
        const BYTE* row = rows + (size_t)(h - 1 - y) * stride;
        int x = 0;
        while (x < w) {
            // Pixels are stored blue, green, red.
            if (!(row[3 * x] == 0xFF && row[3 * x + 1] == 0x00 && row[3 * x + 2] == 0xFF)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < w && row[3 * x] == 0xFF && row[3 * x + 1] == 0x00 && row[3 * x + 2] == 0xFF)
                ++x;
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            if (run) {
                CombineRgn(region, region, run, RGN_DIFF);
                DeleteObject(run);
            }
        }
    }
    free(rows);
    return region;
}

void Paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);

    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ oldFont = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);

    if (Skinned()) {
        HDC memory = CreateCompatibleDC(dc);
        if (memory) {
            HGDIOBJ oldBitmap = SelectObject(memory, g_app.skin.bitmap);
            BitBlt(dc, 0, 0, g_app.skin.width, g_app.skin.height, memory, 0, 0, SRCCOPY);
            SelectObject(memory, oldBitmap);
            DeleteDC(memory);
        }
        RECT r = ButtonRect(g_app.minimizeButton, kMinimizeFromRight);
        if (g_app.minimizeButton.bitmap)
            DrawKeyed(dc, g_app.minimizeButton, r.left, r.top);
        r = ButtonRect(g_app.closeButton, kCloseFromRight);
        if (g_app.closeButton.bitmap)
            DrawKeyed(dc, g_app.closeButton, r.left, r.top);
    } else {
        HBRUSH panel = CreateSolidBrush(RGB(0xE4, 0xEA, 0xF4));
        FillRect(dc, &client, panel);
        DeleteObject(panel);
        SetTextColor(dc, RGB(0x20, 0x30, 0x50));
        char note[MAX_PATH + 160];
        wsprintfA(note, "The skin for this screen size is missing:\r\n%s\r\n\r\n"
                        "Please reinstall Brimel Messenger from http://www.brimel.example/",
                  g_app.skinPath);
        RECT text = client;
        InflateRect(&text, -16, -16);
        DrawTextA(dc, note, -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

    // Status line: the companion library's version, or why it is missing.
    SetTextColor(dc, kStatusInk);
    RECT status = client;
    status.left += 12;
    status.top = status.bottom - kStatusFromBottom;
    status.bottom = status.top + 20;
    DrawTextA(dc, g_app.status, -1, &status, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

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
    case WM_NCHITTEST:
        if (Skinned()) {
            // The skin's caption strip moves the window, except over its buttons.
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            ScreenToClient(window, &pt);
            RECT closeRect = ButtonRect(g_app.closeButton, kCloseFromRight);
            RECT minimizeRect = ButtonRect(g_app.minimizeButton, kMinimizeFromRight);
            if (pt.y >= 0 && pt.y < kCaptionHeight && !PtInRect(&closeRect, pt) && !PtInRect(&minimizeRect, pt))
                return HTCAPTION;
        }
        break;
    case WM_LBUTTONUP:
        if (Skinned()) {
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            RECT closeRect = ButtonRect(g_app.closeButton, kCloseFromRight);
            RECT minimizeRect = ButtonRect(g_app.minimizeButton, kMinimizeFromRight);
            if (PtInRect(&closeRect, pt))
                PostMessageA(window, WM_CLOSE, 0, 0);
            else if (PtInRect(&minimizeRect, pt))
                ShowWindow(window, SW_MINIMIZE);
            return 0;
        }
        break;
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
    brimel::RestrictDllSearchToSystemFolder();
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
    wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    wc.lpszClassName = kWindowClass;
    int exitCode = 1;
    if (RegisterClassA(&wc)) {
        int width, height;
        GetClientSize(&width, &height);
        DWORD style = Skinned() ? kSkinnedStyle : kPlainStyle;
        RECT frame = {0, 0, width, height};
        AdjustWindowRect(&frame, style, FALSE);
        int outerWidth = frame.right - frame.left;
        int outerHeight = frame.bottom - frame.top;
        POINT pos;
        if (ReadSavedPosition(&pos)) {
            KeepOnScreen(outerWidth, outerHeight, &pos);
        } else {
            // Centred on the primary screen (a pop-up window gets no default place).
            pos.x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
            pos.y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
            if (pos.x < 0)
                pos.x = 0;
            if (pos.y < 0)
                pos.y = 0;
        }
        HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, style, pos.x, pos.y,
                                      outerWidth, outerHeight, NULL, NULL, instance, NULL);
        if (window) {
            if (Skinned()) {
                HRGN shape = RegionWithoutKey(g_app.skin);
                // A region handed to the window belongs to it from then on.
                if (shape && !SetWindowRgn(window, shape, FALSE))
                    DeleteObject(shape);
            }
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

    FreePicture(&g_app.skin);
    FreePicture(&g_app.closeButton);
    FreePicture(&g_app.minimizeButton);
    if (g_app.core)
        FreeLibrary(g_app.core);
    if (mutex)
        CloseHandle(mutex);
    return exitCode;
}
