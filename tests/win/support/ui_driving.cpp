#include "support/ui_driving.h"

#include "support/canvas.h"

namespace brimel::test {

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the dialog's modal loop does: keys such as Tab are the
            // dialog's to handle first.
            HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root != nullptr && IsDialogMessageA(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

POINT OnScreen(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return p;
}

void PointAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Pump(100);
}

void Press() {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Pump(100);
}

void Release() {
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump(150);
}

void Key(BYTE virtualKey, bool down) {
    keybd_event(virtualKey, static_cast<BYTE>(MapVirtualKeyA(virtualKey, 0)), down ? 0 : KEYEVENTF_KEYUP, 0);
    Pump(100);
}

int Picture::Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF p : pixels) count += p == colour;
    return count;
}

Picture Grab(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    Canvas canvas(client.right, client.bottom);
    HDC dc = GetDC(window);
    BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    picture.pixels = canvas.Pixels();
    return picture;
}

}  // namespace brimel::test
