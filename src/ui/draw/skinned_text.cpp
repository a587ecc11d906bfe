#include "ui/draw/skinned_text.h"

#include "framework/gdi.h"

namespace brimel {

void DrawSkinnedText(HDC dc, const char* text, int length, const RECT& box, const TextLook& look, bool enabled) {
    if (look.back != kNoColor) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, text, length, &extent);
        const RECT back = {box.left, box.top, box.left + extent.cx, box.top + extent.cy};
        Brush brush(CreateSolidBrush(look.back));
        if (brush) FillRect(dc, &back, brush.Get());
    }
    if ((!enabled && !look.system) || look.shadow != kNoColor) {
        const COLORREF previous = SetTextColor(dc, enabled ? look.shadow : RGB(255, 255, 255));
        for (int offset = 1; offset <= (enabled ? 2 : 1); ++offset) {
            RECT moved = box;
            OffsetRect(&moved, offset, offset);
            DrawTextA(dc, text, length, &moved, 0);
        }
        SetTextColor(dc, previous);
    }
    RECT r = box;
    DrawTextA(dc, text, length, &r, 0);
}

}  // namespace brimel
