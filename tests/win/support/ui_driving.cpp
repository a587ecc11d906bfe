#include "support/ui_driving.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/canvas.h"

namespace brimel::test {

void Pump(DWORD milliseconds, Dialog* dialog) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the dialog's modal loop does: keys such as Tab are the
            // dialog's to handle first.
            if (dialog != nullptr && dialog->PreTranslateMessage(&msg)) continue;
            HWND root = dialog != nullptr ? dialog->Handle()
                        : msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root != nullptr && IsDialogMessageA(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

ScriptedDialog::ScriptedDialog(UINT templateId, Step bind, Step setUp, Step script)
    : Dialog(templateId, nullptr), bind_(std::move(bind)), setUp_(std::move(setUp)), script_(std::move(script)) {}

void ScriptedDialog::SetClientSize(int width, int height) {
    RECT size = {0, 0, width, height};
    AdjustWindowRectEx(&size, GetWindowLongA(Handle(), GWL_STYLE), FALSE, 0);
    SetWindowPos(Handle(), nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void ScriptedDialog::Place(int id, int x, int y, int width, int height) {
    SetWindowPos(Item(id), nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL ScriptedDialog::OnInitDialog() {
    setUp_(*this);
    PostMessageA(Handle(), WM_APP, 0, 0);
    return TRUE;
}

bool ScriptedDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED && control != nullptr) {
        ++clicks[id];
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

LRESULT ScriptedDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && background != 0xFFFFFFFF) {
        RECT client = ClientRect();
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return TRUE;
    }
    if (message == WM_APP) {
        SetForegroundWindow(Handle());
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(100);
        script_(*this);
        if (const char* hold = std::getenv("BRIMEL_HOLD_DIALOG_MS")) Pump(std::atoi(hold));
        EndDialog(IDOK);
        return 0;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

void RunScripted(UINT templateId, const ScriptedDialog::Step& bind, const ScriptedDialog::Step& setUp,
                 const ScriptedDialog::Step& script) {
    SetCursorPos(1000, 740);
    bool ran = false;
    ScriptedDialog dialog(templateId, bind, setUp, [&](ScriptedDialog& d) {
        ran = true;
        script(d);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(ran);
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

int ClientPixels::Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF p : pixels) count += p == colour;
    return count;
}

ClientPixels Grab(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    ClientPixels picture;
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
