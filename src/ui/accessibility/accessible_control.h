// What assistive tools read from the installer's own controls: each control
// describes itself (role, state, default action), and the object it hands a
// tool asks that description at every question, the system's standard object
// telling the rest (name and shortcut from the caption, place, focus,
// parent).  The accessibility library is loaded only when a tool first asks;
// without it the controls behave as they always did.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "framework/window.h"

namespace brimel {

// What a control tells assistive tools beyond the standard object.
struct ControlDescription {
    LONG role = 0;                    // 0: the standard object answers
    LONG state = 0;                   // added to the standard object's state
    LONG clearedState = 0;            // taken from it
    const wchar_t* action = nullptr;  // the default action's name, or none
    // Posted to the control to perform the action: it runs in the control's
    // own message loop, not inside the tool's call.
    UINT actionMessage = 0;
    WPARAM actionWParam = 0;
};

// The base of the own controls: hands a tool that asks for the control's
// object one that answers from Describe.
class AccessibleWindow : public Window {
    BRIMEL_DECLARE_CLASS(AccessibleWindow)

public:
    // Fills in what the control is now: asked at every question, since the
    // control changes meanwhile.  Left empty, the standard object answers.
    virtual void Describe(ControlDescription&) const {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Tells listening tools that the control's state (EVENT_OBJECT_STATECHANGE)
// or name (EVENT_OBJECT_NAMECHANGE) changed.  Nothing where the system
// cannot tell (NT 4 without the accessibility update).
void AnnounceChange(HWND control, DWORD event);

}  // namespace brimel
