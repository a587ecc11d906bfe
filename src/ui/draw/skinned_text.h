// The skin's look of the installer's own text: a back colour behind the
// text, a shadow beneath it, and how a disabled control's text stands out.
#pragma once

#include <windows.h>

#include "core/contrast_look.h"
#include "framework/skin_settings.h"

namespace brimel {

// The colours a skin gives a text control; kNoColor leaves a part out.
struct TextLook {
    COLORREF text = kNoColor;
    COLORREF back = kNoColor;
    COLORREF shadow = kNoColor;
    COLORREF grayText = kSkinGrayText;  // a disabled label's text
    COLORREF hotLight = kSkinHotLight;  // a link under the pointer
    // High contrast: the system's glyphs, and disabled text without the
    // skin's white copy beneath it.
    bool system = false;
};

// Draws `length` characters of `text` at the top left of `box`, in the
// context's font and text colour: over a fill of the look's back colour as
// large as the text, after two copies in the shadow colour one and two
// pixels down and right.  Disabled text gets one white copy one pixel off
// instead, whatever the shadow, unless the look is the system's.
void DrawSkinnedText(HDC dc, const char* text, int length, const RECT& box, const TextLook& look, bool enabled);

}  // namespace brimel
