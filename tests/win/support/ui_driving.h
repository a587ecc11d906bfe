// Driving a dialog from a test: a dialog that runs the test's script inside
// its modal loop, real mouse and key input, and what a window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "framework/dialog.h"

namespace brimel::test {

// Dispatches the thread's messages for at least `milliseconds`, giving a
// dialog's messages to its keyboard handling first; with `dialog`, to its
// PreTranslateMessage before that, as its own modal loop does.
void Pump(DWORD milliseconds, Dialog* dialog = nullptr);

// Pumps until the condition holds; false when it did not within the time.
template <class Condition>
bool PumpUntil(Condition condition, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Pump(10);
    }
    return true;
}

// A dialog of a test template. `bind` binds its controls, `setUp` prepares
// them; the script then runs once the dialog shows and is in front, and the
// dialog ends after it.  Click notifications are counted by control id.
class ScriptedDialog : public Dialog {
public:
    using Step = std::function<void(ScriptedDialog&)>;
    ScriptedDialog(UINT templateId, Step bind, Step setUp, Step script);

    using Dialog::BindControl;
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    // Sets the client size and places a control, in pixels.
    void SetClientSize(int width, int height);
    void Place(int id, int x, int y, int width, int height);

    COLORREF background = 0xFFFFFFFF;  // painted behind the controls when set
    std::map<int, int> clicks;

protected:
    void DoDataExchange() override { bind_(*this); }
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Step bind_, setUp_, script_;
};

// Runs the dialog with the pointer parked far away; fails the test when the
// dialog could not run.  BRIMEL_HOLD_DIALOG_MS keeps it on screen after the
// script, for screenshots.
void RunScripted(UINT templateId, const ScriptedDialog::Step& bind,
                 const ScriptedDialog::Step& setUp, const ScriptedDialog::Step& script);

// A point of a window's client area in screen coordinates.
POINT OnScreen(HWND window, int x, int y);
// Moves the pointer there and lets the window see the move.
void PointAt(POINT screen);
void Press();
void Release();
void Key(BYTE virtualKey, bool down);

// What the window's client area shows, row by row from the top.
struct ClientPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
    int Count(COLORREF colour) const;
};
ClientPixels Grab(HWND window);

}  // namespace brimel::test
