#include "core/button_look.h"

namespace brimel {

int32_t StripFrameOf(ButtonPicture picture) {
    switch (picture) {
        case ButtonPicture::Normal: return 0;
        case ButtonPicture::Pushed: return 1;
        case ButtonPicture::Disabled: return 2;
        case ButtonPicture::Hot: return 3;
    }
    return 0;
}

ButtonLook ChooseButtonLook(bool hovering, bool pressing, bool disabled, bool selected) {
    if (hovering || pressing) {
        if (selected) return {ButtonPicture::Pushed, false, 2, false};
        return {ButtonPicture::Hot, false, 0, true};
    }
    if (disabled) return {ButtonPicture::Disabled, true, 0, true};
    return {ButtonPicture::Normal, false, 0, true};
}

Rect FocusRectFor(int32_t clientWidth, int32_t clientHeight, int32_t textWidth,
                  int32_t textHeight) {
    const int32_t width = textWidth + 2;
    const int32_t left = (clientWidth - width) / 2;
    const int32_t top = (clientHeight - textHeight) / 2 + 1;
    return {left, top, left + width, top + textHeight};
}

String CaptionAsShown(const String& caption) {
    String shown;
    shown.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (++i == caption.size()) break;
        }
        shown.push_back(caption[i]);
    }
    return shown;
}

}  // namespace brimel
