// What each own control tells assistive tools beyond the standard object.
#pragma once

#include <windows.h>

namespace brimel {

struct ControlDescription {
    LONG role = 0;                    // 0: not an own control, the standard object answers
    LONG state = 0;                   // added to the standard object's state
    LONG clearedState = 0;            // taken from it
    const wchar_t* action = nullptr;  // the default action's name, or none
    UINT actionMessage = 0;           // posted to the control to perform it
    WPARAM actionWParam = 0;
};

ControlDescription DescribeControl(HWND control);

}  // namespace brimel
