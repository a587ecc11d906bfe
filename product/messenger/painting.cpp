#include "painting.h"

#include "framework/gdi.h"
#include "framework/bitmap_helpers.h"

namespace brimel::product {
namespace {

const COLORREF kPanelColor = RGB(0xE4, 0xEA, 0xF4);
const COLORREF kNoteInk = RGB(0x20, 0x30, 0x50);
const COLORREF kStatusInk = RGB(0x1E, 0x28, 0x3C);
// The status line's place, counted from the bottom edge.
constexpr int kStatusFromBottom = 30;
constexpr int kStatusHeight = 20;
constexpr int kStatusLeft = 12;
constexpr int kNoteMargin = 16;

void DrawPicture(HDC dc, const SkinPicture& picture) {
    MemoryDC memory(dc);
    if (!memory) return;
    SelectIn selected(memory.Get(), picture.bitmap.Get());
    BitBlt(dc, 0, 0, picture.width, picture.height, memory.Get(), 0, 0, SRCCOPY);
}

// A caption button at its place; its key-coloured pixels show the caption.
void DrawButton(HDC dc, const SkinPicture& button, const RECT& place) {
    if (!button) return;
    SavedDC saved(dc);
    OffsetViewportOrgEx(dc, place.left, place.top, nullptr);
    DrawKeyedImageUnshaped(dc, button.bitmap.Get(), button.width, button.height, kSkinKeyColor);
}

void DrawMissingSkinNote(HDC dc, const RECT& client, const String& skinPath) {
    const Brush panel(CreateSolidBrush(kPanelColor));
    FillRect(dc, &client, panel.Get());
    SetTextColor(dc, kNoteInk);
    const String note = "The skin for this screen size is missing:\r\n" + skinPath +
                        "\r\n\r\nPlease reinstall Brimel Messenger from http://www.brimel.example/";
    RECT text = client;
    InflateRect(&text, -kNoteMargin, -kNoteMargin);
    DrawTextA(dc, note.c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace

void PaintMessenger(HDC dc, const RECT& client, const Skin& skin, const String& status) {
    SavedDC saved(dc);
    SelectIn font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    if (skin.Loaded()) {
        DrawPicture(dc, skin.main);
        DrawButton(dc, skin.minimizeButton, skin.MinimizeRect());
        DrawButton(dc, skin.closeButton, skin.CloseRect());
    } else {
        DrawMissingSkinNote(dc, client, skin.mainPath);
    }
    SetTextColor(dc, kStatusInk);
    RECT line = client;
    line.left += kStatusLeft;
    line.top = line.bottom - kStatusFromBottom;
    line.bottom = line.top + kStatusHeight;
    DrawTextA(dc, status.c_str(), -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace brimel::product
