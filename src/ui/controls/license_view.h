// The license text view: the dialog's read-only rich edit control, which
// shows its text unselected with the caret before the first character every
// time it gains the focus.
#pragma once

#include <windows.h>

#include "framework/window.h"

namespace brimel {

// Asked for its class, it answers with its base's: nothing needs to tell
// it apart from other windows.
class LicenseView : public Window {
public:
    LicenseView() = default;
    ~LicenseView() override = default;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace brimel
