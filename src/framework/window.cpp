#include "framework/window.h"

namespace brimel {
namespace {
// The object pointer lives in a window property: it works on every Windows
// served, and leaves the window's user data to the control itself.
const char kObjectProperty[] = "Brimel.Window";
}

Window::~Window() { Detach(); }

bool Window::Attach(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || FromHandle(hwnd) != nullptr) return false;
    hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
    PreSubclassWindow();
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
    return true;
}

void Window::Detach() {
    if (hwnd_ == nullptr) return;
    if (IsWindow(hwnd_)) {
        if (previous_ != nullptr &&
            GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Window::SubclassProc))
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(hwnd_, kObjectProperty);
    }
    hwnd_ = nullptr;
    previous_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

RECT Window::ClientRect() const {
    RECT r = {0, 0, 0, 0};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && ReflectDrawItem(lParam)) return TRUE;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previous_ == nullptr) return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallWindowProcA(previous_, hwnd_, message, wParam, lParam);
}

bool Window::ReflectDrawItem(LPARAM lParam) {
    DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || item->CtlType == ODT_MENU) return false;
    Window* child = FromHandle(item->hwndItem);
    return child != nullptr && child->OnDrawItem(item);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is going away: give it its procedure back and let go.
        WNDPROC previous = self->previous_;
        self->Detach();
        return previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                        : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace brimel
