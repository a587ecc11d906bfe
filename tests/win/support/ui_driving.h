// Driving a dialog from inside its modal loop: pumping its messages, real
// mouse and key input, and reading back what a window shows.
#pragma once

#include <windows.h>

#include <vector>

namespace brimel::test {

// Dispatches the thread's messages for at least `milliseconds`, giving a
// dialog's messages to its keyboard handling first.
void Pump(DWORD milliseconds);

// Pumps until the condition holds; false when it did not within the time.
template <class Condition>
bool PumpUntil(Condition condition, DWORD milliseconds = 3000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Pump(10);
    }
    return true;
}

// A point of a window's client area in screen coordinates.
POINT OnScreen(HWND window, int x, int y);
// Moves the pointer there and lets the window see the move.
void PointAt(POINT screen);
void Press();
void Release();
void Key(BYTE virtualKey, bool down);

// What the window's client area shows, row by row from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
    int Count(COLORREF colour) const;
};
Picture Grab(HWND window);

}  // namespace brimel::test
