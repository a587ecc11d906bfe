#include "framework/window.h"

namespace brimel {
namespace {
// The object pointer lives in a window property: it works on every Windows
// served, and leaves the window's user data to the control itself.
const char kObjectProperty[] = "Brimel.Window";
// The procedure the window had before it was first bound. It outlives the
// binding: when another procedure was installed over ours meanwhile, ours
// stays in the chain after the object let go and must still pass messages on.
const char kPreviousProperty[] = "Brimel.Previous";

WNDPROC PreviousOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProperty)); }

// The child window a parent's message concerns, or null.
HWND ChildOfMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            return item != nullptr && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
        }
        case WM_COMMAND:
            // Menus and accelerators send no window.
            return reinterpret_cast<HWND>(lParam);
        default:
            (void)wParam;
            // WM_CTLCOLOR*: the control's window.
            return IsControlColorMessage(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

}  // namespace

BRIMEL_IMPLEMENT_CLASS(Window, Object)

Window::~Window() { Detach(); }

bool Window::Create(const char* className, const char* title, DWORD style, int x, int y, int width, int height,
                    HINSTANCE instance) {
    if (hwnd_ != nullptr) return false;
    return CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr, instance, this) !=
           nullptr;
}

LRESULT CALLBACK Window::ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && FromHandle(hwnd) == nullptr) {
        // The object that Create handed over as the creation parameter. The
        // class's procedure is ours already: nothing to subclass.
        Window* self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self != nullptr && self->hwnd_ == nullptr) self->Bind(hwnd);
    }
    return SubclassProc(hwnd, message, wParam, lParam);
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
    PreSubclassWindow();
}

bool Window::Attach(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || FromHandle(hwnd) != nullptr) return false;
    Bind(hwnd);
    if (PreviousOf(hwnd) != nullptr) {
        // Bound before, and our procedure is still in the window's chain
        // under another one: it takes the messages up again from there.
        previous_ = PreviousOf(hwnd);
        return true;
    }
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
    SetPropA(hwnd, kPreviousProperty, reinterpret_cast<HANDLE>(previous_));
    return true;
}

void Window::Detach() {
    if (hwnd_ == nullptr) return;
    if (IsWindow(hwnd_)) {
        // Only our own procedure can be taken out of the chain; when another
        // was installed over it, ours stays and passes messages on.
        if (previous_ != nullptr &&
            GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Window::SubclassProc)) {
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
            RemovePropA(hwnd_, kPreviousProperty);
        }
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

String Window::WindowText() const {
    if (hwnd_ == nullptr) return String();
    const int length = GetWindowTextLengthA(hwnd_);
    if (length <= 0) return String();
    String text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd_, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void Window::CentreOnScreen() {
    RECT r;
    if (hwnd_ == nullptr || !GetWindowRect(hwnd_, &r)) return;
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi;
}

bool Window::TrackMouse(DWORD flags, DWORD hoverTime) {
    if (hwnd_ == nullptr) return false;
    TRACKMOUSEEVENT request;
    request.cbSize = sizeof request;
    request.dwFlags = flags;
    request.hwndTrack = hwnd_;
    request.dwHoverTime = hoverTime;
    return TrackMouseEvent(&request) != FALSE;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result)) return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previous_ == nullptr) return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallWindowProcA(previous_, hwnd_, message, wParam, lParam);
}

bool Window::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM && OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) {
        *result = TRUE;
        return true;
    }
    return false;
}

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND childWindow = ChildOfMessage(message, wParam, lParam);
    Window* child = FromHandle(childWindow);
    return child != nullptr && child->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (self == nullptr) {
        // Let go of, but still in the chain under another procedure.
        WNDPROC previous = PreviousOf(hwnd);
        if (message == WM_NCDESTROY) RemovePropA(hwnd, kPreviousProperty);
        return previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                        : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window is going away: give it its procedure back and let go.
        WNDPROC previous = self->previous_;
        self->Detach();
        RemovePropA(hwnd, kPreviousProperty);
        const LRESULT result = previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                                        : DefWindowProcA(hwnd, message, wParam, lParam);
        self->OnFinalMessage();
        return result;
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace brimel
