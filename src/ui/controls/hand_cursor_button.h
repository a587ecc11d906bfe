// A push button over which the pointer becomes a pointing hand: the base of
// the installer's own buttons.
#pragma once

#include <windows.h>

#include "ui/accessibility/accessible_control.h"

namespace brimel {

class HandCursorButton : public AccessibleWindow {
    BRIMEL_DECLARE_CLASS(HandCursorButton)

public:
    HandCursorButton();
    ~HandCursorButton() override = default;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HCURSOR handCursor_;
};

}  // namespace brimel
