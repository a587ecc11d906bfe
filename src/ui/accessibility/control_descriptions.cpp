#include "ui/accessibility/control_descriptions.h"

#include <oleacc.h>

#include "ui/controls/multi_color_static.h"
#include "ui/controls/radio_check_button.h"
#include "ui/draw/image_button.h"

namespace brimel {

ControlDescription DescribeControl(HWND control) {
    ControlDescription d;
    // The actions are the ones a click or a press delivers, posted so that
    // they run in the control's own message loop, not inside the tool's call.
    if (BRadioCheckButton* box = WindowAs<BRadioCheckButton>(control)) {
        d.role = box->IsCheckBoxMode() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON;
        if (box->GetCheck()) d.state |= STATE_SYSTEM_CHECKED;
        if (box->IsPressed()) d.state |= STATE_SYSTEM_PRESSED;
        d.action = box->GetCheck() && box->IsCheckBoxMode() ? L"Uncheck" : L"Check";
        d.actionMessage = BM_CLICK;
    } else if (BImageButton* button = WindowAs<BImageButton>(control)) {
        d.role = ROLE_SYSTEM_PUSHBUTTON;
        if (button->IsPressing()) d.state |= STATE_SYSTEM_PRESSED;
        d.action = L"Press";
        d.actionMessage = BM_CLICK;
    } else if (CMultiColorStatic* label = WindowAs<CMultiColorStatic>(control)) {
        // A label takes no focus; a link opens on the press.
        d.clearedState = STATE_SYSTEM_FOCUSABLE;
        if (label->Link().empty()) {
            d.role = ROLE_SYSTEM_STATICTEXT;
            d.state = STATE_SYSTEM_READONLY;
        } else {
            d.role = ROLE_SYSTEM_LINK;
            d.state = STATE_SYSTEM_LINKED;
            d.action = L"Jump";
            d.actionMessage = WM_LBUTTONDOWN;
            d.actionWParam = MK_LBUTTON;
        }
    }
    return d;
}

}  // namespace brimel
