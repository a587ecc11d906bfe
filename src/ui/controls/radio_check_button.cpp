#include "ui/controls/radio_check_button.h"

#include "core/string.h"

#include "core/glyph_index.h"
#include "framework/application.h"
#include "resource.h"
#include "ui/controls/parent_snapshot.h"
#include "framework/bitmap_helpers.h"
#include "ui/draw/skinned_text.h"

namespace brimel {

BRIMEL_IMPLEMENT_CLASS(BRadioCheckButton, HandCursorButton)

namespace {

constexpr COLORREF kGlyphKey = RGB(255, 0, 255);
constexpr int kCaptionLeft = 18;
constexpr int kFocusLeft = 15;

// A strip of glyphs in the order of GlyphIndex, with the mask of its key
// colour: shared by every control of the process, built by the first one.
struct GlyphStrip {
    Bitmap image;
    Bitmap mask;

    void Load(int bitmapId) {
        image.Reset(LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(bitmapId)));
        if (!image) return;
        MemoryDC dc(nullptr);
        if (!dc) return;
        SelectIn selected(dc.Get(), image.Get());
        mask = MakeKeyMask(dc.Get(), kCheckGlyphSize * kCheckGlyphCount, kCheckGlyphSize, kGlyphKey);
    }

    // Draws glyph `index` at x 0, y 1 of the target, its key pixels leaving
    // the target as it was.
    void Draw(HDC target, int index) const {
        if (!image || !mask) return;
        MemoryDC imageDc(target);
        MemoryDC maskDc(target);
        if (!imageDc || !maskDc) return;
        SelectIn imageSelected(imageDc.Get(), image.Get());
        SelectIn maskSelected(maskDc.Get(), mask.Get());
        // The glyph's logical 0,0 lies at its place in the strip; the
        // target's at y 1.
        SetViewportOrgEx(imageDc.Get(), kCheckGlyphSize * index, 0, nullptr);
        SetViewportOrgEx(maskDc.Get(), kCheckGlyphSize * index, 0, nullptr);
        POINT origin = {0, 0};
        OffsetViewportOrgEx(target, 0, 1, &origin);
        DrawThroughMask(target, imageDc.Get(), maskDc.Get(), kCheckGlyphSize, kCheckGlyphSize);
        SetViewportOrgEx(target, origin.x, origin.y, nullptr);
    }
};

GlyphStrip checkBoxStrip;
GlyphStrip radioStrip;
bool stripsCreated = false;

}  // namespace

BRadioCheckButton::BRadioCheckButton() {
    // Once per process, not retried: without the bitmap no glyph is drawn.
    if (!stripsCreated) {
        checkBoxStrip.Load(IDB_CHECK_GLYPHS);
        radioStrip.Load(IDB_RADIO_GLYPHS);
        stripsCreated = true;
    }
}

void BRadioCheckButton::PreSubclassWindow() {
    HandCursorButton::PreSubclassWindow();
    HWND hwnd = Handle();
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    // The check-box types (check box, automatic check box, automatic
    // three-state) all have this bit; the radio types and the plain
    // three-state box do not.
    checkBoxMode_ = (style & 2) != 0;
    // The owner-draw type replaces the template's: OR-ed in, as the box's
    // and the radio's types are, it would turn the plain radio and both
    // three-state types into type 15, which no one draws.
    SetWindowLongA(hwnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
}

void BRadioCheckButton::RedrawAndAnnounce() {
    RedrawLook(Handle());
    // Every change of the look is one of the check or the press.
    AnnounceChange(Handle(), EVENT_OBJECT_STATECHANGE);
}

void BRadioCheckButton::SetCheck(int state) {
    checked_ = state;
    RedrawAndAnnounce();
}

bool BRadioCheckButton::OnDrawItem(DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_BUTTON) return false;
    if (drawing_) return true;
    drawing_ = true;
    HDC dc = item->hDC;
    {
        SavedDC saved(dc);
        SetBkMode(dc, TRANSPARENT);
        PaintParentSnapshot(Handle(), snapshot_, dc);
        if (look_.system) {
            // High contrast: the system's own glyph in the system's colours,
            // where the skin's would stand.
            RECT glyph = {0, 1, kCheckGlyphSize, kCheckGlyphSize + 1};
            DrawFrameControl(dc, &glyph, DFC_BUTTON,
                             (checkBoxMode_ ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | (checked_ ? DFCS_CHECKED : 0) |
                                 (pressed_ ? DFCS_PUSHED : 0));
        } else {
            (checkBoxMode_ ? checkBoxStrip : radioStrip)
                .Draw(dc, static_cast<int>(GlyphIndex(pressed_, checked_ != 0, hovering_)));
        }

        const String caption = WindowText();
        const int length = static_cast<int>(caption.size());
        const RECT client = ClientRect();
        RECT text = {client.left + kCaptionLeft, client.top, client.right + kCaptionLeft, client.bottom};
        SIZE extent = {0, 0};
        {
            SelectIn font(dc, SharedDialogFont());
            // Measured as stored, ampersands included, in the font the
            // caption is drawn in: the focus rectangle below uses it too.
            GetTextExtentPoint32A(dc, caption.c_str(), length, &extent);
            SetTextColor(dc, look_.text != kNoColor ? look_.text : GetSysColor(COLOR_MENUTEXT));
            // The caption keeps its look when the button is disabled.
            DrawSkinnedText(dc, caption.c_str(), length, text, look_, true);
        }
        if (item->itemState & ODS_FOCUS) {
            const RECT focus = {kFocusLeft, 0, extent.cx + kCaptionLeft + 1, extent.cy + 1};
            DrawFocusRect(dc, &focus);
        }
    }
    drawing_ = false;
    return true;
}

void BRadioCheckButton::Describe(ControlDescription& d) const {
    d.role = checkBoxMode_ ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON;
    if (checked_) d.state |= STATE_SYSTEM_CHECKED;
    if (pressed_) d.state |= STATE_SYSTEM_PRESSED;
    d.action = checked_ && checkBoxMode_ ? L"Uncheck" : L"Check";
    d.actionMessage = BM_CLICK;
}

void BRadioCheckButton::UpdateRadioGroup() {
    if (checkBoxMode_ || checked_ != 1) return;
    HWND self = Handle();
    HWND parent = GetParent(self);
    HWND first = nullptr;
    for (HWND next = GetNextDlgGroupItem(parent, self, FALSE); next != nullptr && next != self;
         next = GetNextDlgGroupItem(parent, next, FALSE)) {
        // A group that does not lead back here (this control skipped as
        // disabled, say) ends when it comes round to its start.
        if (next == first) break;
        if (first == nullptr) first = next;
        BRadioCheckButton* other = WindowAs<BRadioCheckButton>(next);
        if (other != nullptr && !other->checkBoxMode_) other->SetCheck(0);
    }
}

void BRadioCheckButton::Activate(bool changeCheck) {
    if (changeCheck) {
        if (checkBoxMode_)
            checked_ = !checked_;
        else if (checked_ == 0)
            checked_ = 1;  // a radio button is never unchecked by its own click
    }
    RedrawAndAnnounce();
    UpdateRadioGroup();
    NotifyClicked();
}

void BRadioCheckButton::NotifyClicked() {
    HWND self = Handle();
    const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(self)) & 0xFFFF;
    SendMessageA(GetParent(self), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(self));
}

void BRadioCheckButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    HWND self = Handle();
    const bool leftDown = (wParam & MK_LBUTTON) != 0;
    // No hover starts during a drag.
    if (leftDown && !hovering_) return;
    if (GetCapture() != self && GetActiveWindow() != nullptr &&
        (GetWindow(self, GW_OWNER) != nullptr || GetParent(self) != nullptr)) {
        hovering_ = true;
        SetCapture(self);
        InvalidateRect(self, nullptr, FALSE);  // no erase, as in RedrawLook
        return;
    }
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(self, &point);
    HWND under = WindowFromPoint(point);
    if (under == nullptr || under == self) return;
    if (hovering_) {
        hovering_ = false;
        InvalidateRect(self, nullptr, FALSE);
    }
    // A press in progress keeps the capture, so that its release still
    // comes here.
    if (!leftDown) ReleaseCapture();
}

LRESULT BRadioCheckButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND self = Handle();
    switch (message) {
        case WM_ERASEBKGND:
            // While focused the snapshot stays: one retaken now would hold
            // the dotted focus rectangle.
            if (GetFocus() != self) DiscardSnapshot();
            return TRUE;
        case WM_LBUTTONDOWN:
            SetFocus(self);
            SetCapture(self);
            pressed_ = true;
            RedrawAndAnnounce();
            break;
        case WM_LBUTTONUP: {
            // Not passed on: the platform button would notify a click of
            // its own.
            ReleaseCapture();
            pressed_ = false;
            const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const RECT client = ClientRect();
            // Asked for: every release notifies, even one outside the
            // control, which leaves the check as it was.
            Activate(PtInRect(&client, point) != FALSE);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        }
        case WM_CAPTURECHANGED:
            if (hovering_) {
                ReleaseCapture();
                InvalidateRect(self, nullptr, FALSE);
            }
            break;
        case WM_KEYUP:
            // Only the space bar's release counts; the platform button sees
            // none, so it never clicks by itself.
            if (wParam != VK_SPACE) return 0;
            // Asked for: a space on a radio button already checked does
            // nothing and tells nobody, while a click on it still notifies.
            if (!checkBoxMode_ && checked_ == 1) return 0;
            Activate(true);
            return 0;
        case WM_SYSCOLORCHANGE: {
            const LRESULT result = HandCursorButton::WindowProc(message, wParam, lParam);
            DiscardSnapshot();
            return result;
        }
        default:
            break;
    }
    return HandCursorButton::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
