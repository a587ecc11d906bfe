#include "messenger_window.h"

#include <windowsx.h>

#include <utility>

#include "framework/bitmap_helpers.h"
#include "framework/gdi.h"
#include "painting.h"
#include "window_placement.h"

namespace brimel::product {
namespace {

const char kWindowTitle[] = "Brimel Messenger";
constexpr int kPlainWidth = 480;
constexpr int kPlainHeight = 320;
constexpr DWORD kSkinnedStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kPlainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The icon of the program's resources, which its shortcuts show too.
constexpr int kIconId = 1;

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

const char kMessengerWindowClass[] = "BrimelMessengerMainWindow";

BRIMEL_IMPLEMENT_CLASS(MessengerWindow, Window)

MessengerWindow::MessengerWindow(Skin skin, String status) : skin_(std::move(skin)), status_(std::move(status)) {}

bool MessengerWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Window::ClassProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    windowClass.lpszClassName = kMessengerWindowClass;
    if (!RegisterClassA(&windowClass)) return false;

    const DWORD style = skin_.Loaded() ? kSkinnedStyle : kPlainStyle;
    RECT frame = {0, 0, skin_.Loaded() ? skin_.main.width : kPlainWidth,
                  skin_.Loaded() ? skin_.main.height : kPlainHeight};
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const POINT place = InitialPosition(width, height);
    if (!Window::Create(kMessengerWindowClass, kWindowTitle, style, place.x, place.y, width, height, instance))
        return false;
    ShowWindow(Handle(), show);
    UpdateWindow(Handle());
    return true;
}

LRESULT MessengerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (skin_.Loaded()) {
                // The skin's key-coloured corners are not part of the window.
                // A region handed to the window belongs to it from then on;
                // without one the window stays rectangular.
                Region shape = RegionFromKeyBitmap(skin_.main.bitmap.Get(), kSkinKeyColor);
                if (shape && SetWindowRgn(Handle(), shape.Get(), FALSE)) shape.Release();
            }
            break;
        case WM_PAINT: {
            PaintDC paint(Handle());
            PaintMessenger(paint.Get(), ClientRect(), skin_, status_);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_NCHITTEST:
            if (skin_.Loaded()) return OnHitTest(lParam);
            break;
        case WM_LBUTTONUP:
            if (!skin_.Loaded()) break;
            OnButtonUp(PointOf(lParam));
            return 0;
        case WM_CLOSE:
            SavePlacement(Handle());
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

LRESULT MessengerWindow::OnHitTest(LPARAM lParam) {
    POINT point = PointOf(lParam);
    ScreenToClient(Handle(), &point);
    if (skin_.IsCaption(point)) return HTCAPTION;
    return DefaultProc(WM_NCHITTEST, 0, lParam);
}

void MessengerWindow::OnButtonUp(POINT point) {
    const RECT close = skin_.CloseRect(), minimize = skin_.MinimizeRect();
    if (PtInRect(&close, point))
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
    else if (PtInRect(&minimize, point))
        ShowWindow(Handle(), SW_MINIMIZE);
}

}  // namespace brimel::product
