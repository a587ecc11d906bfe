#include "ui/draw/image_button.h"

#include "core/string.h"

#include "framework/application.h"
#include "resource.h"
#include "framework/bitmap_helpers.h"

namespace brimel {

BRIMEL_IMPLEMENT_CLASS(BImageButton, HandCursorButton)

BImageButton::BImageButton() = default;

void BImageButton::PreSubclassWindow() {
    HandCursorButton::PreSubclassWindow();
    // Two separate changes: left-aligned first, then owner-drawn, from which
    // point the platform asks the button to draw itself.  The type is OR-ed
    // in on purpose: from a push button's type (0 or 1) it gives owner-draw.
    HWND hwnd = Handle();
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | BS_LEFT);
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | BS_OWNERDRAW);
}

bool BImageButton::SetBitmaps(int bitmapId, int frameCount, int top, int bottom, int left,
                              int right) {
    marginTop_ = top;
    marginBottom_ = bottom;
    marginLeft_ = left;
    marginRight_ = right;
    // The images take the size of the window, so there must be one: without
    // it they would be built from the screen at no size at all.
    if (!HasWindow()) return false;

    Bitmap strip(LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(bitmapId)));
    if (!strip) return false;
    for (ButtonPicture picture : {ButtonPicture::Normal, ButtonPicture::Pushed, ButtonPicture::Disabled,
                                  ButtonPicture::Hot})
        if (!BuildStateImage(strip.Get(), ImageFor(picture), StripFrameOf(picture), frameCount)) return false;
    return true;
}

bool BImageButton::ApplyDefaultSkin() { return SetBitmaps(IDB_BUTTON_FACES, 5, 15, 6, 15, 8); }

bool BImageButton::BuildStateImage(HBITMAP strip, Bitmap& image, int frame, int frameCount) {
    WindowDC screen(Handle());
    if (!screen) return false;
    const RECT client = ClientRect();
    image.Reset();
    if (!StretchNinePart(screen.Get(), strip, frame, frameCount, marginTop_, marginBottom_,
                         marginLeft_, marginRight_, client.right, client.bottom, image))
        return false;
    hasStateImages_ = true;
    return true;
}

HBITMAP BImageButton::StateImage(ButtonPicture picture) const {
    return const_cast<BImageButton*>(this)->ImageFor(picture).Get();
}

Bitmap& BImageButton::ImageFor(ButtonPicture picture) {
    switch (picture) {
        case ButtonPicture::Pushed: return pushedImage_;
        case ButtonPicture::Hot: return hotImage_;
        case ButtonPicture::Disabled: return disabledImage_;
        case ButtonPicture::Normal: break;
    }
    return normalImage_;
}

void BImageButton::DrawState(HDC dc, ButtonPicture picture) {
    if (!hasStateImages_) return;
    HBITMAP image = ImageFor(picture).Get();
    // A state whose image was never built has nothing to draw or to shape.
    if (image == nullptr) return;
    const RECT client = ClientRect();
    Region region = DrawKeyedImage(dc, image, client.right, client.bottom, keyColor_);
    // Set on every draw on purpose: each state image carries its own shape.
    // The window owns the region from here on; none removes any shape.
    SetWindowRgn(Handle(), region.Release(), FALSE);
}

bool BImageButton::OnDrawItem(DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_BUTTON) return false;
    HDC dc = item->hDC;
    const RECT client = ClientRect();
    const ButtonLook look = ChooseButtonLook(hovering_, pressing_, (item->itemState & ODS_DISABLED) != 0,
                                             (item->itemState & ODS_SELECTED) != 0);
    COLORREF captionColor = captionColor_;
    if (systemFace_) {
        // Rectangular, as the platform's own push button.
        SetWindowRgn(Handle(), nullptr, FALSE);
        RECT face = client;
        const ButtonPicture p = look.picture;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (p == ButtonPicture::Pushed ? DFCS_PUSHED : 0));
        // The hot feedback the skin's hot picture gives: the platform's push
        // face has none of its own.
        if (p == ButtonPicture::Hot) captionColor = hotColor_;
    } else {
        DrawState(dc, look.picture);
    }

    const String caption = WindowText();
    HFONT font = SharedDialogFont();
    {
        // Caption in the shared dialog font; the platform's context comes
        // back as it was handed in.
        SavedDC saved(dc);
        SetBkMode(dc, TRANSPARENT);
        SelectIn fontSelected(dc, font);
        SetTextColor(dc, look.grayText ? GetSysColor(COLOR_GRAYTEXT) : captionColor);
        RECT textRect = client;
        textRect.left += look.textShift;
        textRect.right += look.textShift;
        DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    if (look.focusAllowed && GetFocus() == Handle()) {
        // Measured as drawn: in the caption's own font, without the mnemonic
        // markers that DrawText does not show.
        const String shown = CaptionAsShown(caption);
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

void BImageButton::Describe(ControlDescription& d) const {
    d.role = ROLE_SYSTEM_PUSHBUTTON;
    if (pressing_) d.state |= STATE_SYSTEM_PRESSED;
    d.action = L"Press";
    d.actionMessage = BM_CLICK;
}

LRESULT BImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            // The picture covers the window; the key-coloured corners are
            // outside its shape.
            return 0;
        case WM_MOUSEMOVE:
            if (!hovering_ && TrackMouse(TME_LEAVE)) {
                hovering_ = true;
                InvalidateRect(Handle(), nullptr, TRUE);
            }
            break;
        case WM_MOUSELEAVE:
            hovering_ = false;
            InvalidateRect(Handle(), nullptr, TRUE);
            return 0;
        case WM_LBUTTONDOWN:
            pressing_ = true;
            if (hovering_ && TrackMouse(TME_CANCEL | TME_LEAVE)) hovering_ = false;
            break;
        case WM_LBUTTONUP:
        case WM_KEYUP:
            pressing_ = false;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) pressing_ = true;
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            if (GetCapture() == Handle()) ReleaseCapture();
            // Whatever press was going on ends with the focus: the key-up of a
            // held space bar now goes to another window and would never clear it.
            pressing_ = false;
            return result;
        }
        default:
            break;
    }
    return HandCursorButton::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
