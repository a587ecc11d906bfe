#include "ui/controls/hand_cursor_button.h"

#include "framework/application.h"
#include "resource.h"

namespace brimel {

BRIMEL_IMPLEMENT_CLASS(HandCursorButton, AccessibleWindow)

HandCursorButton::HandCursorButton()
    : handCursor_(LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR))) {}

LRESULT HandCursorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && handCursor_ != nullptr) {
        SetCursor(handCursor_);
        return TRUE;
    }
    return AccessibleWindow::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
