// What assistive tools read from the installer's own controls: each control
// answers WM_GETOBJECT with an object that says what the control is (role,
// check state, default action), the system's standard object telling the
// rest (name and shortcut from the caption, place, focus, parent).  The
// accessibility library is loaded only when a tool first asks; without it
// the controls behave as they always did.
#pragma once

#include <windows.h>

namespace brimel {

// For the control's window procedure on WM_GETOBJECT: true, with the answer
// in *result, when the control's own object was handed out.
bool AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Tells listening tools that the control's state (EVENT_OBJECT_STATECHANGE)
// or name (EVENT_OBJECT_NAMECHANGE) changed.  Nothing where the system
// cannot tell (NT 4 without the accessibility update).
void AnnounceChange(HWND control, DWORD event);

}  // namespace brimel
