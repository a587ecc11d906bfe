// A C++ object bound to a window. A window made by Create is bound from its
// first message on; attaching subclasses an existing window (a dialog
// control): its messages go to the virtual WindowProc first, and whatever a
// class does not handle goes on to the window's previous procedure.
#pragma once

#include <windows.h>

#include "core/string.h"

#include "framework/class_record.h"

namespace brimel {

class Window : public Object {
    BRIMEL_DECLARE_CLASS(Window)

public:
    Window() = default;
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool HasWindow() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // Makes a top-level window of a class registered with ClassProc as its
    // procedure, bound to this object from WM_NCCREATE: the creation
    // messages and the first WM_SIZE reach WindowProc. False when no window
    // was made.
    bool Create(const char* className, const char* title, DWORD style, int x, int y, int width, int height,
                HINSTANCE instance);
    static LRESULT CALLBACK ClassProc(HWND, UINT, WPARAM, LPARAM);
    // Binds this object to an existing window (a dialog control, say).
    bool Attach(HWND hwnd);
    // Lets go of the window; it keeps working with the procedure it had.
    void Detach();

    // The object bound to a window, or null; ask it for its class with
    // WindowAs.
    static Window* FromHandle(HWND hwnd);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, message, wParam, lParam);
    }
    RECT ClientRect() const;
    String WindowText() const;
    // Moves the window, keeping its size, to the middle of the screen.
    void CentreOnScreen();
    // Asks for mouse notifications (TME_LEAVE, TME_HOVER, TME_CANCEL) of
    // this window; the hover time in milliseconds.
    bool TrackMouse(DWORD flags, DWORD hoverTime = HOVER_DEFAULT);

protected:
    // Called once the object is bound, before any message reaches it.
    virtual void PreSubclassWindow() {}
    // Every message of the window; the default hands the messages that
    // belong to a child (see OnChildNotify) to the child's object, and
    // passes the rest on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message (WM_NCDESTROY) once the object has let
    // go of the window.
    virtual void OnFinalMessage() {}

    // A message that the parent received on this child's behalf: WM_DRAWITEM,
    // WM_CTLCOLOR* and WM_COMMAND notifications. True when handled, with the
    // parent's answer in *result. The default hands WM_DRAWITEM to OnDrawItem.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // An owner-drawn child draws itself; false when it does not.
    virtual bool OnDrawItem(DRAWITEMSTRUCT*) { return false; }
    // Gives the child that a parent's message concerns its say; true when
    // the child's object handled it.
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    void Bind(HWND hwnd);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
};

// The WM_CTLCOLOR* messages, by which a control asks its parent for colours.
inline bool IsControlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The DPI the program is told (the screen's logical pixels per inch, 96
// unless the user chose larger fonts); 0 when it cannot be read.
int ScreenDpi();

// The object bound to a window as a T: null when there is none or it is not
// a T (by its class record, base classes included).
template <class T>
T* WindowAs(HWND hwnd) {
    return ObjectAs<T>(Window::FromHandle(hwnd));
}

}  // namespace brimel
