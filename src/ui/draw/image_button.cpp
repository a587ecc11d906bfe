#include "ui/draw/image_button.h"

#include <commctrl.h>

#include <string>

#include "app/setup_app.h"
#include "framework/application.h"
#include "resource.h"
#include "ui/draw/bitmap_helpers.h"

namespace brimel {

BImageButton::BImageButton()
    : handCursor(LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR))) {}

void BImageButton::PreSubclassWindow() {
    Window::PreSubclassWindow();
    // Two separate changes: left-aligned first, then owner-drawn, from which
    // point the platform asks the button to draw itself.
    HWND hwnd = Handle();
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | BS_LEFT);
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | BS_OWNERDRAW);
}

bool BImageButton::SetBitmaps(int bitmapId, int frameCount, int top, int bottom, int left,
                              int right) {
    stripBitmapId = bitmapId;
    stripFrameCount = frameCount;
    marginTop = top;
    marginBottom = bottom;
    marginLeft = left;
    marginRight = right;
    // The images take the size of the window, so there must be one: without
    // it they would be built from the screen at no size at all.
    if (!HasWindow()) return false;

    Bitmap strip(LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(bitmapId)));
    if (!strip) return false;
    return BuildStateImage(strip.Get(), normalImage, 0, frameCount) &&
           BuildStateImage(strip.Get(), pushedImage, 1, frameCount) &&
           BuildStateImage(strip.Get(), disabledImage, 2, frameCount) &&
           BuildStateImage(strip.Get(), hotImage, 3, frameCount);
}

bool BImageButton::ApplyDefaultSkin() { return SetBitmaps(IDB_BUTTON_FACES, 5, 15, 6, 15, 8); }

bool BImageButton::BuildStateImage(HBITMAP strip, Bitmap& image, int frame, int frameCount) {
    WindowDC screen(Handle());
    if (!screen) return false;
    const RECT client = ClientRect();
    image.Reset();
    if (!StretchNinePart(screen.Get(), strip, frame, frameCount, marginTop, marginBottom,
                         marginLeft, marginRight, client.right, client.bottom, image))
        return false;
    hasStateImages = true;
    return true;
}

HBITMAP BImageButton::StateImage(ButtonPicture picture) const {
    return const_cast<BImageButton*>(this)->ImageFor(picture).Get();
}

Bitmap& BImageButton::ImageFor(ButtonPicture picture) {
    switch (picture) {
        case ButtonPicture::kPushed: return pushedImage;
        case ButtonPicture::kHot: return hotImage;
        case ButtonPicture::kDisabled: return disabledImage;
        case ButtonPicture::kNormal: break;
    }
    return normalImage;
}

void BImageButton::DrawState(HDC dc, ButtonPicture picture) {
    if (!hasStateImages) return;
    HBITMAP image = ImageFor(picture).Get();
    // A state whose image was never built has nothing to draw or to shape.
    if (image == nullptr) return;
    const RECT client = ClientRect();
    HRGN region = DrawKeyedImage(dc, image, client.right, client.bottom, keyColor);
    // The window owns the region from here on; none removes any shape.
    SetWindowRgn(Handle(), region, FALSE);
}

HFONT BImageButton::CaptionFont() const {
    SetupApp* app = CurrentSetupApp();
    if (app != nullptr && app->dialogFont) return app->dialogFont.Get();
    if (!fallbackFont) {
        const LOGFONTA record = DialogFontRecord("MS Sans Serif");
        fallbackFont.Reset(CreateFontIndirectA(&record));
    }
    return fallbackFont ? fallbackFont.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool BImageButton::OnDrawItem(DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_BUTTON) return false;
    HDC dc = item->hDC;
    const RECT client = ClientRect();
    const ButtonLook look = ChooseButtonLook(hovering, pressing, (item->itemState & ODS_DISABLED) != 0,
                                             (item->itemState & ODS_SELECTED) != 0);
    DrawState(dc, look.picture);

    std::string caption(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    caption.resize(static_cast<size_t>(GetWindowTextA(Handle(), &caption[0], static_cast<int>(caption.size()))));
    HFONT font = CaptionFont();
    // Caption in the shared dialog font; text colour, font and background
    // mode go back in this order.
    const int mode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = SelectObject(dc, font);
    const COLORREF text = SetTextColor(dc, look.grayText ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    RECT textRect = client;
    textRect.left += look.textShift;
    textRect.right += look.textShift;
    DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, text);
    if (previousFont != nullptr && previousFont != HGDI_ERROR) SelectObject(dc, previousFont);
    SetBkMode(dc, mode);

    if (look.focusAllowed && GetFocus() == Handle()) {
        // Measured as drawn: in the caption's own font, without the mnemonic
        // markers that DrawText does not show.
        const std::string shown = CaptionAsShown(caption);
        SIZE extent = {0, 0};
        {
            SelectIn fontSelected(dc, font);
            GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        }
        const Rect f = FocusRectFor(client.right - client.left, client.bottom - client.top, extent.cx,
                                    extent.cy);
        const RECT focus = {f.left, f.top, f.right, f.bottom};
        DrawFocusRect(dc, &focus);
    }
    return true;
}

bool BImageButton::TrackLeave(bool cancel) {
    TRACKMOUSEEVENT request;
    request.cbSize = sizeof request;
    request.dwFlags = cancel ? (TME_CANCEL | TME_LEAVE) : TME_LEAVE;
    request.hwndTrack = Handle();
    request.dwHoverTime = 0;
    return _TrackMouseEvent(&request) != FALSE;
}

LRESULT BImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            // The picture covers the window; the key-coloured corners are
            // outside its shape.
            return 0;
        case WM_MOUSEMOVE:
            if (!hovering && TrackLeave(false)) {
                hovering = true;
                InvalidateRect(Handle(), nullptr, TRUE);
            }
            break;
        case WM_MOUSELEAVE:
            hovering = false;
            InvalidateRect(Handle(), nullptr, TRUE);
            return 0;
        case WM_LBUTTONDOWN:
            pressing = true;
            if (hovering && TrackLeave(true)) hovering = false;
            break;
        case WM_LBUTTONUP:
        case WM_KEYUP:
            pressing = false;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) pressing = true;
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            if (GetCapture() == Handle()) ReleaseCapture();
            // Whatever press was going on ends with the focus: the key-up of a
            // held space bar now goes to another window and would never clear it.
            pressing = false;
            return result;
        }
        case WM_SETCURSOR:
            if (handCursor != nullptr) {
                SetCursor(handCursor);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
