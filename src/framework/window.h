// A C++ object bound to a window. Attaching subclasses the window: its
// messages go to the virtual WindowProc first, and whatever a class does not
// handle goes on to the window's previous procedure.
#pragma once

#include <windows.h>

namespace brimel {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool HasWindow() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // Binds this object to an existing window (a dialog control, say).
    bool Attach(HWND hwnd);
    // Gives the window its previous procedure back.
    void Detach();

    // The object bound to a window, or null; ask it for its class with
    // dynamic_cast (see WindowAs).
    static Window* FromHandle(HWND hwnd);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }
    RECT ClientRect() const;

protected:
    // Called once the object is bound, before any message reaches it.
    virtual void PreSubclassWindow() {}
    // Every message of the window; the default passes it on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_DRAWITEM sent to the parent, handed back to the control that draws
    // itself. Returns false when the control does not draw.
    virtual bool OnDrawItem(DRAWITEMSTRUCT*) { return false; }
    // Hands WM_DRAWITEM of an owner-drawn child to that child's object.
    static bool ReflectDrawItem(LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
};

template <class T>
T* WindowAs(HWND hwnd) {
    return dynamic_cast<T*>(Window::FromHandle(hwnd));
}

}  // namespace brimel
