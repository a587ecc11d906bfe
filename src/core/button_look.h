// How the image button looks in each of its states: which strip picture it
// shows, how it writes its caption and where its focus rectangle goes.
#pragma once

#include <cstdint>
#include "core/string.h"

#include "core/geometry.h"

namespace brimel {

// The four state images of the button.
enum class ButtonPicture : int32_t { Normal, Pushed, Hot, Disabled };

// The frame of the button strip each state image is built from.  The strip's
// fifth frame (index 4) belongs to no state.
int32_t StripFrameOf(ButtonPicture picture);

struct ButtonLook {
    ButtonPicture picture;
    bool grayText;       // caption in the system's grey-text colour, else black
    int32_t textShift;   // pixels the caption rectangle moves right
    bool focusAllowed;   // whether a focused button shows its focus rectangle
};

// The picture table.  While the mouse hovers or a press is in progress the
// button is live: pushed while the platform shows it selected, hot otherwise.
// Otherwise it shows disabled or normal from the item state.
ButtonLook ChooseButtonLook(bool hovering, bool pressing, bool disabled, bool selected);

// The focus rectangle for a caption of textWidth x textHeight pixels in a
// client area of clientWidth x clientHeight: two pixels wider than the
// caption, centred horizontally, one pixel below the vertical centre.  Both
// halvings truncate toward zero, so a caption wider than the button gives a
// rectangle that starts left of it by the truncated half.
Rect FocusRectFor(int32_t clientWidth, int32_t clientHeight, int32_t textWidth,
                  int32_t textHeight);

// The caption as it is shown: every '&' that marks the next character as the
// mnemonic is dropped, "&&" stands for one '&', a trailing '&' shows nothing.
String CaptionAsShown(const String& caption);

}  // namespace brimel
